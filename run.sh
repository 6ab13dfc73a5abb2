#!/usr/bin/env bash
# Builds Pellmaris, stages its program folder and starts it under Wine.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" --target stage
# The program runs in a prefix of its own; its program folder is drive P:.
scripts/wineprefix.sh "$build/runprefix" p="$build/stage"
export WINEPREFIX=$PWD/$build/runprefix WINEDEBUG=-all
xvfb=$PWD/scripts/xvfb.sh
cd "$build/stage"   # the program folder is also the working folder
echo "Starting Pellmaris (P:\\Pellmaris.exe, program folder $PWD)"
if [ -n "${DISPLAY:-}" ]; then
  exec wine 'P:\Pellmaris.exe'
else
  echo "No display: running under Xvfb (screen 1280x1024)."
  exec "$xvfb" wine 'P:\Pellmaris.exe'
fi
