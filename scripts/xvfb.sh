#!/usr/bin/env bash
# Runs a command on a private Xvfb display.
set -euo pipefail
# Wine's processes share one server and one desktop per prefix: a server still running from
# a command without this display (a "wine reg" just before) would leave the program without
# a screen. Wait for it to end first.
if [[ -n ${WINEPREFIX:-} ]] && command -v wineserver >/dev/null; then
  wineserver -w || true
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$@"
