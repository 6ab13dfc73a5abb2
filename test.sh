#!/usr/bin/env bash
# Builds Pellmaris and its tests and runs the whole suite under Wine with Xvfb.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release
cmake --build "$build"
rm -rf "$build/scratch"
scripts/wineprefix.sh "$build/wineprefix" p="$build" s="$build/scratch"
scripts/xvfb.sh scripts/ctest-wine.sh "$build" --output-on-failure -j "$(nproc)" "$@"
