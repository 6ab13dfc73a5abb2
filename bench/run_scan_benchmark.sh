#!/usr/bin/env bash
# Times the zero-length-file scanner's walk and scan over trees of 2,000 and 20,000
# folders (each holding one empty file and one of 100 bytes), made with host tools, against
# a bare FindFirstFile/FindNextFile walk over the same trees in the same Wine prefix: the
# two run alternately and the medians of the runs are compared.
#
# Usage: bench/run_scan_benchmark.sh [FOLDERS] [RUNS]
#        (default 20000 folders, and a tenth of them; 3 runs of each program per tree)
set -euo pipefail
self=$(realpath "$0")
cd "$(dirname "$self")/.."

# On the private display: for each tree, RUNS times the scanner, then the bare walk.
if [[ ${1:-} == --alternate ]]; then
  runs=$2
  shift 2
  for tree in "$@"; do
    wine 'B:\bin\enumerate_loop.exe' "B:\\$tree" >/dev/null 2>&1   # the first walk warms the caches
    for (( i = 0; i < runs; i++ )); do
      echo "$tree scanner $(wine 'B:\bin\zero_length_scan_driver.exe' 'B:\program' "B:\\$tree\\" 2>/dev/null | tr -d '\r')"
      echo "$tree loop $(wine 'B:\bin\enumerate_loop.exe' "B:\\$tree" 2>/dev/null | tr -d '\r')"
    done
  done
  exit 0
fi
root=$PWD
build=${BUILD_DIR:-build}
folders=${1:-20000}
runs=${2:-3}

source bench/common.sh
build_core

work=$build/scanbench
bin=$work/bin
rm -rf "$work"
mkdir -p "$bin"

"$CXX" -O2 -static -municode -o "$bin/enumerate_loop.exe" bench/enumerate_loop.cpp
build_driver "$bin" zero_length_scan_driver

# `count` folders: a tenth of them at the top, the rest nine to a top folder, each with one
# empty file and one of 100 bytes. The folders are made by one mkdir, the files by the
# shell itself (no process per file).
make_scan_tree() {
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

small=$(( folders / 10 ))
make_scan_tree "$work/tree$small" "$small"
make_scan_tree "$work/tree$folders" "$folders"
mkdir -p "$work/program"
cp "$build"/stage/{settings.ini,info.ini,PMwebs.lst,pmdb.lst,SEARCH.AVI} "$work/program/"
scripts/wineprefix.sh "$build/scanbenchprefix" b="$work" >/dev/null
export WINEPREFIX=$root/$build/scanbenchprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Xvfb runs no window manager, and Wine then waits for every window it hides; a desktop does not.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1

scripts/xvfb.sh "$self" --alternate "$runs" "tree$small" "tree$folders" > "$work/times.txt"

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
times_of() { awk -v t="$1" -v p="$2" '$1 == t && $2 == p { print $3 }' "$work/times.txt"; }
runs_of() { times_of "$1" "$2" | tr '\n' ' '; }

declare -A scanner_time
echo "Trees of $small and $folders folders, each with one empty and one 100-byte file; median of $runs runs each."
for n in "$small" "$folders"; do
  scanner=$(times_of "tree$n" scanner | median)
  loop=$(times_of "tree$n" loop | median)
  read -r walked found < <(awk -v t="tree$n" '$1 == t && $2 == "scanner" { print $4, $5; exit }' "$work/times.txt")
  echo "$n folders: walk and scan $scanner s ($walked folders walked, $found empty files found; runs: $(runs_of "tree$n" scanner))"
  echo "$n folders: bare walk     $loop s (runs: $(runs_of "tree$n" loop))"
  awk -v a="$scanner" -v l="$loop" 'BEGIN { printf "scanner / bare walk = %.2f\n", a / l }'
  scanner_time[$n]=$scanner
done
awk -v a="${scanner_time[$small]}" -v b="${scanner_time[$folders]}" \
  'BEGIN { printf "10x the folders: %.2f x the time of the scanner (target at most 11)\n", b / a }'
