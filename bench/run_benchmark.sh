#!/usr/bin/env bash
# Times Pellmaris's full clean against references on identical files in the same Wine
# prefix: a tree of small files (against "cmd /c rd /s /q" and a minimal
# enumerate-and-DeleteFile loop), and one flat folder of empty files (against the loop).
# The files are made with host tools, not through Wine.
#
# Usage: bench/run_benchmark.sh [FOLDERS [FLAT_FILES]]
#        (default 2000 folders of 10 files each, and 20000 files in one folder; the clean is
#        also timed on a tree a tenth of the size and on a flat folder of twice the files, to
#        show how it scales)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${BUILD_DIR:-build}
folders=${1:-2000}
flat_files=${2:-20000}
files_per_folder=10

source bench/common.sh
build_core

work=$build/bench
bin=$work/bin
rm -rf "$work"
mkdir -p "$bin"

# The two programs: the references and the driver that clicks FULL CLEAN.
"$CXX" -O2 -static -o "$bin/delete_loop.exe" bench/delete_loop.cpp
build_driver "$bin" full_clean_driver

# One folder of `count` empty files.
make_flat() {
  local dir=$1 count=$2
  mkdir -p "$dir"
  (cd "$dir" && seq -f 'file%.0f.tmp' 1 "$count" | xargs touch)
}

# The program folder of the clean: the shipped files, a profile whose temporary folder
# holds the tree, and only the temporary files chosen.
make_program_folder() {
  local program=$1 profile_win=$2 home_win=$3
  mkdir -p "$program"
  cp "$build"/stage/{settings.ini,info.ini,PMwebs.lst,PMlist.lst} "$program/"
  printf '[LIST1]\r\n 0  0  0  0  0  0  0  0  0  1  1  0  0 \r\n[LIST2]\r\n 0  0  0  0 ' > "$program/pmdb.lst"
  printf 'HOMEDRIVE=%s\r\nUSERPROFILE=%s\r\n' "$home_win" "$profile_win" > "$program/orvane.dat"
}

scripts/wineprefix.sh "$build/benchprefix" b="$work" >/dev/null
export WINEPREFIX=$root/$build/benchprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Xvfb runs no window manager, and Wine then waits up to 2 s for every window it hides
# (the clean hides the main window once). A desktop has no such wait: let Wine manage
# its windows itself.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1

run_clean() {   # tree|flat count -> "seconds files"
  local kind=$1 n=$2 name=clean$1$2
  rm -rf "$work/$name"
  make_$kind "$work/$name/profile/AppData/Local/Temp/$kind" "$n"
  mkdir -p "$work/$name/home"
  make_program_folder "$work/$name/program" "B:\\$name\\profile" "B:\\$name\\home"
  scripts/xvfb.sh wine 'B:\bin\full_clean_driver.exe' "B:\\$name\\program" 2>/dev/null | tr -d '\r'
}

run_reference() {   # mode tree|flat count -> seconds
  local mode=$1 kind=$2 n=$3
  rm -rf "$work/$mode$kind$n"
  make_$kind "$work/$mode$kind$n" "$n"
  wine 'B:\bin\delete_loop.exe' "$mode" "B:\\$mode$kind$n" 2>/dev/null | tr -d '\r'
}

small=$(( folders / 10 ))
double=$(( flat_files * 2 ))
echo "Trees: $folders folders x $files_per_folder files ($(( folders * files_per_folder )) files); scaling check on $small folders."
echo "Flat: $flat_files empty files in one folder; scaling check on $double."
read -r clean_small files_small < <(run_clean tree "$small")
read -r clean_full files_full < <(run_clean tree "$folders")
loop_full=$(run_reference loop tree "$folders")
rd_full=$(run_reference rd tree "$folders")
read -r clean_flat files_flat < <(run_clean flat "$flat_files")
read -r clean_double files_double < <(run_clean flat "$double")
loop_flat=$(run_reference loop flat "$flat_files")

left=$(find "$work/cleantree$folders/profile/AppData/Local/Temp" -type f | wc -l)
left_flat=$(find "$work/cleanflat$flat_files/profile/AppData/Local/Temp" -type f | wc -l)
echo "full clean (Pellmaris):       ${clean_full} s  (${files_full} files removed, ${left} left)"
echo "minimal DeleteFile loop:      ${loop_full} s"
echo "cmd /c rd /s /q:              ${rd_full} s"
echo "flat clean, $flat_files files:    ${clean_flat} s  (${files_flat} files removed, ${left_flat} left)"
echo "flat clean, $double files:    ${clean_double} s  (${files_double} files removed)"
echo "minimal loop, flat folder:    ${loop_flat} s"
awk -v c="$clean_full" -v l="$loop_full" -v r="$rd_full" -v s="$clean_small" \
    -v f="$clean_flat" -v fl="$loop_flat" -v d="$clean_double" 'BEGIN {
  printf "clean / minimal loop:         %.2f  (target at most 3)\n", c / l
  printf "clean / rd /s /q:             %.2f\n", c / r
  printf "clean, 10x the files:         %.2f x the time of the small tree (%.3f s; target at most 11)\n", c / s, s
  printf "flat clean / minimal loop:    %.2f  (target at most 3)\n", f / fl
  printf "flat clean, 2x the files:     %.2f x the time (target at most 2.2)\n", d / f
}'
