#!/usr/bin/env bash
# Builds Pellmaris and its tests and runs the whole suite under Wine with Xvfb.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release
cmake --build "$build"
rm -rf "$build/scratch"
# D: and E: are scratch drives whose roots tests may use; N: is a drive whose folder a
# test removes, so that it is not ready; R: is a small drive for the real program at a drive
# root, its file search, and a home drive holding programs named like the system's. W:, X:
# and V: are other names for the prefix's Windows folder, Program Files and profile, as subst
# or a mapped drive makes them.
drive_c=$build/wineprefix/drive_c
scripts/wineprefix.sh "$build/wineprefix" p="$build" s="$build/scratch" \
  d="$build/scratch/drive-d" e="$build/scratch/drive-e" n="$build/scratch/drive-n" \
  r="$build/scratch/drive-r" \
  w="$drive_c/windows" x="$drive_c/Program Files" v="$drive_c/users/$(id -un)"
scripts/xvfb.sh scripts/ctest-wine.sh "$build" --output-on-failure -j "$(nproc)" "$@"
