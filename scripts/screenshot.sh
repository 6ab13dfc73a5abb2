#!/usr/bin/env bash
# Starts the staged program under Xvfb and saves pictures of its main window, once in the
# default theme and once in the classic theme (settings line 13 = 1).
#
#   scripts/screenshot.sh [BUILD_DIR] [OUT_DIR]
#
# BUILD_DIR defaults to "build" (its stage folder and window driver must be built:
# cmake --build BUILD_DIR --target stage show_window); the pictures go to OUT_DIR, by
# default BUILD_DIR/screenshots: main-default.png, main-classic.png and report-names.png from
# the real program, and SCENE.png for every scene of the window driver (tests/screenshots/*.cpp).
# SCENE=name limits the run to that one scene (report-names: the real program's report). Each run works on a copy of the stage folder in
# a Wine prefix of its own, so the stage folder and any other prefix stay untouched.
#
# So that the pictures show a used window, the copy runs a full clean at start-up with
# its results hidden (settings lines 10 and 11; it cleans the throw-away prefix only, and
# leaves out the browser-data commands, which Wine's rundll32 cannot run),
# and, as Wine's own systeminfo prints nothing, gets a stand-in systeminfo.cmd in the
# program folder that reports this machine's Wine version and memory.
set -euo pipefail
self=$(realpath "$0")
cd "$(dirname "$self")/.."

# Moves the pointer to X,Y on the screen (needs python3; without it the pointer stays).
move_pointer() {
    command -v python3 >/dev/null || return 0
    python3 - "$1" "$2" <<'PY' || true
import ctypes, sys
x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XWarpPointer.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong] + [ctypes.c_int] * 2 + [ctypes.c_uint] * 2 + [ctypes.c_int] * 2
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
display = x11.XOpenDisplay(None)
if display:
    x11.XWarpPointer(display, 0, x11.XDefaultRootWindow(display), 0, 0, 0, 0, int(sys.argv[1]), int(sys.argv[2]))
    x11.XCloseDisplay(display)
PY
}

# Puts the window with that X id above the others (the program's other windows may cover it).
raise_window() {
    command -v python3 >/dev/null || return 0
    python3 - "$1" <<'PY' || true
import ctypes, sys
x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XRaiseWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
display = x11.XOpenDisplay(None)
if display:
    x11.XRaiseWindow(display, int(sys.argv[1], 16))
    x11.XCloseDisplay(display)
PY
}

# The first window on the screen whose name matches the awk pattern, or nothing.
shown_window() {
    local id
    for id in $(xwininfo -root -tree 2>/dev/null | awk "$1 { print \$1 }"); do
        if xwininfo -id "$id" 2>/dev/null | grep -q 'IsViewable'; then
            echo "$id"
            return
        fi
    done
}

# Waits up to three minutes for a window whose name matches the awk pattern to be on the
# screen (a window gets its caption while still hidden); its X id, or nothing.
wait_for_window() {
    local window=""
    for _ in $(seq 1 360); do
        window=$(shown_window "$1")
        [[ -n $window ]] && break
        sleep 0.5
    done
    echo "$window"
}

# Runs on the private display: starts the program, waits for the main window, and saves it,
# or the window whose name matches the awk pattern when one is given.
capture() {
    local picture=$1 pattern=${2:-}
    # Started from its own folder (drive P:), where the batch files find systeminfo.cmd.
    (cd "$work" && exec wine 'P:\Pellmaris.exe') >/dev/null 2>&1 &
    local pid=$! window
    # The splash shows for about five seconds before the main window appears.
    window=$(wait_for_window '/"Pellmaris +Version/')
    if [[ -n $window && -n $pattern ]]; then
        window=$(wait_for_window "$pattern")
    fi
    if [[ -n $window ]]; then
        local x y w h
        read -r x y w h < <(xwininfo -id "$window" | awk '/Absolute upper-left X/ { x = $NF }
            /Absolute upper-left Y/ { y = $NF } /^ *Width/ { w = $NF } /^ *Height/ { h = $NF }
            END { print x, y, w, h }')
        # The pointer starts in the screen's middle, over a button: across the banner (which
        # puts every hover picture away) and out of the window.
        sleep 1
        raise_window "$window"
        move_pointer $((x + 40)) $((y + 40))
        sleep 0.5
        move_pointer $((x + 40)) $((y + 2))
        sleep 0.5
        move_pointer 0 0
        sleep 1.5   # let it paint
        # What the screen shows at the window's place, its frame included.
        import -window root -crop "${w}x${h}+${x}+${y}" +repage "$picture"
    else
        echo "screenshot: the main window did not appear; saving the whole screen" >&2
        xwininfo -root -tree | grep '"' | grep -v 'has no name' >&2 || true
        import -window root "$picture"
    fi
    kill "$pid" 2>/dev/null || true
    wineserver -k 2>/dev/null || true   # this prefix only: the batch files the program started
}

# Runs on the private display: shows one scene of the window driver, saves its windows.
capture_scene() {
    local scene=$1 picture=$2 ready=$work/Pellmaris/ready.txt
    rm -f "$ready"
    (cd "$work/Pellmaris" && exec wine 'P:\Pellmaris\show_window.exe' "$scene" 'P:\Pellmaris' 'P:\Pellmaris\ready.txt') >/dev/null 2>&1 &
    local pid=$!
    for _ in $(seq 1 240); do
        [[ -s $ready ]] && break
        sleep 0.25
    done
    if [[ -s $ready ]]; then
        local x y w h
        read -r x y w h <"$ready"
        move_pointer 0 0
        sleep 0.5
        import -window root -crop "${w}x${h}+${x}+${y}" +repage "$picture"
    else
        echo "screenshot: scene $scene showed no window; saving the whole screen" >&2
        import -window root "$picture"
    fi
    kill "$pid" 2>/dev/null || true
    wineserver -k 2>/dev/null || true
}

if [[ ${1:-} == --capture ]]; then
    work=$3
    capture "$2" "${4:-}"
    exit 0
fi
if [[ ${1:-} == --capture-scenes ]]; then
    work=$3
    shift 3
    for scene in "$@"; do
        capture_scene "$scene" "$out_dir/$scene.png"
        echo "screenshot: $out_dir/$scene.png"
    done
    exit 0
fi

build=${1:-build}
out=${2:-$build/screenshots}
stage=$build/stage
[[ -f $stage/Pellmaris.exe ]] || { echo "screenshot: $stage/Pellmaris.exe not found; build the stage target first" >&2; exit 1; }
if ! command -v import >/dev/null || ! command -v xwininfo >/dev/null; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q imagemagick x11-utils >/dev/null
fi
for tool in xvfb-run import xwininfo wine wineserver awk; do
    command -v "$tool" >/dev/null || { echo "screenshot: $tool not found" >&2; exit 1; }
done

mkdir -p "$out"
out=$(realpath "$out")
work=$(realpath "$build")/screenshot-work
prefix=$(realpath "$build")/screenshot-prefix

# Sets line N of a settings file to VALUE, keeping its CR LF line ends.
set_setting() {
    local file=$1 line=$2 value=$3
    awk -v n="$line" -v v="$value" 'BEGIN { ORS = "\r\n" } { sub(/\r$/, "") } NR == n { $0 = v } { print }' \
        "$file" >"$file.new"
    mv "$file.new" "$file"
}

# The three lines of systeminfo that the main window shows, from this machine.
system_information_stand_in() {
    local memory
    memory=$(awk '/^MemTotal:/ { printf "%d MB", $2 / 1024 }' /proc/meminfo)
    printf '@echo off\r\necho OS Name:                   %s\r\necho OS Version:                %s\r\necho Total Physical Memory:     %s\r\n' \
        "$(wine --version) (Windows 10 mode)" "10.0.19043 N/A Build 19043" "$memory"
}

# Without a window manager Wine draws the windows' frames and captions itself; a
# program that fails in the prefix must not cover the window with a crash dialog.
prepare_prefix() {
    [[ -f $prefix/system.reg ]] || scripts/wineprefix.sh "$prefix"
    WINEPREFIX=$prefix WINEDEBUG=-all wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    WINEPREFIX=$prefix WINEDEBUG=-all wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
}

shoot() {
    local theme=$1 classic=$2
    rm -rf "$work"
    mkdir -p "$work"
    cp -r "$stage"/. "$work"/
    set_setting "$work/settings.ini" 13 "$classic"
    set_setting "$work/settings.ini" 10 1
    set_setting "$work/settings.ini" 11 1
    printf '[LIST1]\r\n 1  1  1  1  1  0  0  0  0  1  1  1 \r\n[LIST2]\r\n 0  0  0  0 \r\n' >"$work/pmdb.lst"
    system_information_stand_in >"$work/systeminfo.cmd"
    scripts/wineprefix.sh "$prefix" p="$work"
    prepare_prefix
    # The prefix's services must not outlive this display-less step into the next one.
    WINEPREFIX=$prefix wineserver -w
    WINEPREFIX=$prefix WINEDEBUG=-all scripts/xvfb.sh "$self" --capture "$out/main-$theme.png" "$work"
    echo "screenshot: $out/main-$theme.png"
}

# The real program's report of a clean of files named in other scripts, started as run.sh
# starts it (its prefix made by scripts/wineprefix.sh, which links the windows' fonts to one
# that has those letters): it cleans an own location at start-up and shows its report.
shoot_report_names() {
    rm -rf "$work"
    mkdir -p "$work"
    cp -r "$stage"/. "$work"/
    set_setting "$work/settings.ini" 10 1
    set_setting "$work/settings.ini" 11 0
    printf '[LIST1]\r\n 0  0  0  0  0  0  0  0  0  0  0  0  1 \r\n[LIST2]\r\n 0  0  0  0 \r\n' >"$work/pmdb.lst"
    printf 'D C:\\Junk\\\r\n' >"$work/PMuser.lst"
    system_information_stand_in >"$work/systeminfo.cmd"
    scripts/wineprefix.sh "$prefix" p="$work"
    prepare_prefix
    local junk=$prefix/drive_c/Junk name
    rm -rf "$junk"
    mkdir -p "$junk"
    for name in '日本語.tmp' '日本語のメモ.txt' '下载缓存.tmp' 'Отчёт.log' '한국어.dat' 'café.tmp'; do
        head -c 900 /dev/zero | tr '\0' x >"$junk/$name"
    done
    WINEPREFIX=$prefix wineserver -w
    WINEPREFIX=$prefix WINEDEBUG=-all scripts/xvfb.sh "$self" --capture "$out/report-names.png" "$work" \
        '/"Pellmaris": \(/'
    echo "screenshot: $out/report-names.png"
}

# Every scene of the window driver (tests/screenshots/*.cpp), each in a fresh copy of the
# stage folder at P:\Pellmaris, with a scratch drive S: for the trees a scene cleans.
shoot_scenes() {
    local driver=$build/tests/show_window.exe
    [[ -f $driver ]] || { echo "screenshot: $driver not found; build the show_window target" >&2; return 1; }
    local scenes
    mapfile -t scenes < <(WINEPREFIX=$prefix WINEDEBUG=-all wine "$driver" --list 2>/dev/null | tr -d '\r')
    for scene in "${scenes[@]}"; do
        [[ -n $scene ]] || continue
        [[ -z $only || $scene == $only ]] || continue
        rm -rf "$work"
        mkdir -p "$work/Pellmaris" "$work/scratch"
        cp -r "$stage"/. "$work/Pellmaris"/
        cp "$driver" "$work/Pellmaris/"
        scripts/wineprefix.sh "$prefix" p="$work" s="$work/scratch"
        WINEPREFIX=$prefix wineserver -w
        out_dir=$out WINEPREFIX=$prefix WINEDEBUG=-all scripts/xvfb.sh "$self" --capture-scenes "$out" "$work" "$scene"
    done
}

only=${SCENE:-}
if [[ -z $only ]]; then
    shoot default 0
    shoot classic 1
fi
[[ -z $only || $only == report-names ]] && shoot_report_names
prepare_prefix
shoot_scenes
rm -rf "$work"
