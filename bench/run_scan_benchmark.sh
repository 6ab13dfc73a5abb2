#!/usr/bin/env bash
# Times the zero-length-file scanner's walk and scan over trees of 2,000 and 20,000
# folders (each holding one empty file and one of 100 bytes), made with host tools, to
# show that its time grows in line with the folders.
#
# Usage: bench/run_scan_benchmark.sh [FOLDERS]   (default 20000; also a tenth of it)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${BUILD_DIR:-build}
folders=${1:-20000}

source bench/common.sh
build_core

work=$build/scanbench
bin=$work/bin
rm -rf "$work"
mkdir -p "$bin"

build_driver "$bin" zero_length_scan_driver

# `count` folders: a tenth of them at the top, the rest nine to a top folder. The folders
# are made by one mkdir, the files by the shell itself (no process per file).
make_tree() {
  local dir=$1 count=$2 top=$(( $2 / 10 )) t s payload
  local -a folders=()
  payload=$(printf '%0100d' 0)
  for (( t = 0; t < top; t++ )); do
    folders+=("$dir/top$t")
    for (( s = 0; s < 9 && ${#folders[@]} < count; s++ )); do folders+=("$dir/top$t/sub$s"); done
  done
  printf '%s\0' "${folders[@]}" | xargs -0 mkdir -p
  for f in "${folders[@]}"; do : > "$f/empty.dat"; printf '%s' "$payload" > "$f/data.dat"; done
}

mkdir -p "$work/program"
cp "$build"/stage/{settings.ini,info.ini,PMwebs.lst,pmdb.lst,SEARCH.AVI} "$work/program/"
scripts/wineprefix.sh "$build/scanbenchprefix" b="$work" >/dev/null
export WINEPREFIX=$root/$build/scanbenchprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Xvfb runs no window manager, and Wine then waits for every window it hides; a desktop does not.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1

run_scan() {   # folders -> "seconds folders found"
  local n=$1
  make_tree "$work/tree$n" "$n"
  scripts/xvfb.sh wine 'B:\bin\zero_length_scan_driver.exe' 'B:\program' "B:\\tree$n\\" 2>/dev/null | tr -d '\r'
}

small=$(( folders / 10 ))
read -r t_small f_small e_small < <(run_scan "$small")
read -r t_full f_full e_full < <(run_scan "$folders")
echo "walk and scan, $f_small folders:  $t_small s  ($e_small empty files found)"
echo "walk and scan, $f_full folders: $t_full s  ($e_full empty files found)"
awk -v a="$t_small" -v b="$t_full" 'BEGIN { printf "10x the folders:              %.2f x the time\n", b / a }'
