#!/usr/bin/env bash
# Creates a Wine prefix that maps no drive letter to the host's root.
# Usage: wineprefix.sh PREFIX_DIR LETTER=DIR [LETTER=DIR ...]
set -euo pipefail
mkdir -p "$1"; prefix=$(realpath "$1"); shift
export WINEPREFIX=$prefix WINEDEBUG=-all
if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$prefix"
  WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1 || true
  # A crashing program must end, not wait behind a crash dialog.
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /t REG_SZ /d 1 /f >/dev/null 2>&1 || true
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /t REG_SZ /d '' /f >/dev/null 2>&1 || true
  wineserver -w || true
fi
# Names in Chinese, Japanese or Korean script: as a Windows system does, the fonts of the
# windows (and of the message boxes) link to a font that has their letters, WenQuanYi Micro
# Hei from scripts/deps.sh; without it they show as boxes.
cjk_font=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
if [ -f "$cjk_font" ] && ! grep -q 'wqy-microhei.ttc,WenQuanYi Micro Hei' "$prefix/system.reg"; then
  cp "$cjk_font" "$prefix/drive_c/windows/Fonts/"
  for face in "MS Sans Serif" "Microsoft Sans Serif" "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2"; do
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$face" \
      /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1 || true
  done
  wineserver -w || true
elif [ ! -f "$cjk_font" ]; then
  echo "wineprefix: $cjk_font is missing (scripts/deps.sh installs it): CJK names will show as boxes" >&2
fi
# Wine links the profile's shell folders (Desktop, Documents, Downloads, Music, Pictures,
# Videos, Templates) to the host user's home: every link that leads out of the prefix
# becomes a plain folder, so nothing in the prefix reaches the host's files.
find "$prefix/drive_c" -type l -print0 | while IFS= read -r -d '' link; do
  target=$(realpath -m "$link")
  case "$target" in "$prefix"/*) ;; *) rm -f "$link"; mkdir -p "$link" ;; esac
done
dev=$prefix/dosdevices
for link in "$dev"/*; do
  name=$(basename "$link")
  case "$name" in c:|com*|lpt*) ;; *) rm -f "$link" ;; esac
done
for map in "$@"; do
  letter=${map%%=*}; dir=${map#*=}
  mkdir -p "$dir"
  ln -sfn "$(realpath "$dir")" "$dev/$letter:"
done
