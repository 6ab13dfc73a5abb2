#!/usr/bin/env bash
# Runs ctest with the test prefix's wineserver and background services already up, so that
# no test process leaves them behind holding its output open.
# Usage: ctest-wine.sh BUILD_DIR [ctest arguments]
set -euo pipefail
build=$1; shift
export WINEPREFIX=$(realpath "$build/wineprefix") WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineserver -p </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1 || true
rc=0
ctest --test-dir "$build" "$@" || rc=$?
wineserver -k >/dev/null 2>&1 || true
exit $rc
