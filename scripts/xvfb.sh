#!/usr/bin/env bash
# Runs a command on a private Xvfb display.
set -euo pipefail
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$@"
