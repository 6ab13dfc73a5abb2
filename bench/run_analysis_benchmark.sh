#!/usr/bin/env bash
# Times Pellmaris's drive analysis of the engine benchmark's tree (20,000 files of 100 bytes
# in 2,000 folders, made with host tools, as the user's temporary folder) against a bare
# FindFirstFile/FindNextFile walk over the same tree, in the same Wine prefix.
#
# Usage: bench/run_analysis_benchmark.sh [FOLDERS] [RUNS]   (default 2000 folders, 5 runs each;
#        the median of the runs is compared)
set -euo pipefail
self=$(realpath "$0")
cd "$(dirname "$self")/.."

# On the private display: RUNS times the analysis, then the bare walk; one line each.
if [[ ${1:-} == --alternate ]]; then
  wine 'B:\bin\enumerate_loop.exe' 'B:\profile' >/dev/null 2>&1   # the first walk warms the caches
  for (( i = 0; i < $2; i++ )); do
    echo "analysis $(wine 'B:\bin\analysis_driver.exe' 'B:\program' 2>/dev/null | tr -d '\r')"
    echo "loop $(wine 'B:\bin\enumerate_loop.exe' 'B:\profile' 2>/dev/null | tr -d '\r')"
  done
  exit 0
fi
root=$PWD
build=${BUILD_DIR:-build}
folders=${1:-2000}
runs=${2:-5}
source bench/common.sh

build_core

work=$build/analysis-bench
bin=$work/bin
rm -rf "$work"
mkdir -p "$bin"

"$CXX" -O2 -static -municode -o "$bin/enumerate_loop.exe" bench/enumerate_loop.cpp
build_driver "$bin" analysis_driver

# The program folder: the shipped files and a profile whose temporary folder holds the tree.
make_tree "$work/profile/AppData/Local/Temp/tree" "$folders"
mkdir -p "$work/home" "$work/program"
cp "$build"/stage/{settings.ini,info.ini,PMwebs.lst,PMlist.lst} "$work/program/"
printf '[LIST1]\r\n 0  0  0  0  0  0  0  0  0  1  1  0 \r\n[LIST2]\r\n 0  0  0  0 ' > "$work/program/pmdb.lst"
printf 'HOMEDRIVE=B:\\home\r\nUSERPROFILE=B:\\profile\r\n' > "$work/program/orvane.dat"
files=$(find "$work/profile" -type f | wc -l)

scripts/wineprefix.sh "$build/analysisbenchprefix" b="$work" >/dev/null
export WINEPREFIX=$root/$build/analysisbenchprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# No window manager under Xvfb: let Wine manage its windows itself (see run_benchmark.sh).
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Both programs run alternately on one private display, so that both meet the same machine.
scripts/xvfb.sh "$self" --alternate "$runs" > "$work/times.txt"
analysis=$(awk '$1 == "analysis" { print $2 }' "$work/times.txt" | median)
loop=$(awk '$1 == "loop" { print $2 }' "$work/times.txt" | median)
bytes=$(awk '$1 == "analysis" { print $3; exit }' "$work/times.txt")

echo "Tree: $folders folders, $files files of 100 bytes; median of $runs runs each."
echo "analysis (Pellmaris):         ${analysis} s  (Temp column: ${bytes} bytes; runs: $(awk '$1 == "analysis" { printf "%s ", $2 }' "$work/times.txt"))"
echo "bare FindFirstFile walk:      ${loop} s  (runs: $(awk '$1 == "loop" { printf "%s ", $2 }' "$work/times.txt"))"
awk -v a="$analysis" -v l="$loop" 'BEGIN { printf "analysis / bare walk:         %.2f  (target at most 1.5)\n", a / l }'
