#!/usr/bin/env bash
# Draws every picture that ships with Pellmaris: the classic skin
# (pellmarisgui/) and the default theme built into the program (pictures/).
# Needs ImageMagick 6 (convert) and the DejaVu fonts. The results are kept in
# the repository, so the build itself never needs these tools.
#
#   bash resources/make_pictures.sh
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
skin_dir="$here/pellmarisgui"
theme_dir="$here/pictures"
font_dir="${PELLMARIS_FONT_DIR:-/usr/share/fonts/truetype/dejavu}"
FONT="$font_dir/DejaVuSans.ttf"
FONT_BOLD="$font_dir/DejaVuSans-Bold.ttf"

command -v convert >/dev/null || { echo "make_pictures: ImageMagick 'convert' not found" >&2; exit 1; }
for f in "$FONT" "$FONT_BOLD"; do
    [[ -f "$f" ]] || { echo "make_pictures: font $f not found" >&2; exit 1; }
done
mkdir -p "$skin_dir" "$theme_dir"

# Palette.
NAVY="#0B1F3A"
DEEP="#14345E"
BLUE="#1E4F86"
TEAL="#1FA2A6"
TEAL_DARK="#0E6E7C"
MINT="#5EE0D8"
PALE="#E7F0F4"
CARD="#F5F9FB"
WHITE="#FFFFFF"
INK="#0B1F3A"

# Stripped, fixed-quality JPEGs so that reruns give the same bytes.
JPEG_OPTS=(-strip -quality 92 -sampling-factor 4:2:0)

# --- glyphs -----------------------------------------------------------------
# Each prints an MVG drawing centred on (cx, cy) with half-size s, in colour c.

glyph_sparkle() {
    local cx=$1 cy=$2 s=$3 c=$4
    local q=$((s / 4)) t=$((s * 2 / 5)) tq=$((s / 10))
    local sx=$((cx + s * 3 / 4)) sy=$((cy - s * 3 / 4))
    echo "fill $c stroke none
polygon $cx,$((cy - s)) $((cx + q)),$((cy - q)) $((cx + s)),$cy $((cx + q)),$((cy + q)) $cx,$((cy + s)) $((cx - q)),$((cy + q)) $((cx - s)),$cy $((cx - q)),$((cy - q))
polygon $sx,$((sy - t)) $((sx + tq)),$((sy - tq)) $((sx + t)),$sy $((sx + tq)),$((sy + tq)) $sx,$((sy + t)) $((sx - tq)),$((sy + tq)) $((sx - t)),$sy $((sx - tq)),$((sy - tq))"
}

glyph_gamepad() {
    local cx=$1 cy=$2 s=$3 c=$4 hole=$5
    local w=$s h=$((s * 3 / 5)) r=$((s / 3)) d=$((s / 3)) k=$((s / 12 + 1))
    local lx=$((cx - s / 2)) rx=$((cx + s / 2))
    echo "fill $c stroke none
roundrectangle $((cx - w)),$((cy - h)) $((cx + w)),$((cy + h)) $r,$r
fill $hole
rectangle $((lx - d / 2 - 1)),$((cy - k)) $((lx + d / 2 + 1)),$((cy + k))
rectangle $((lx - k)),$((cy - d / 2 - 1)) $((lx + k)),$((cy + d / 2 + 1))
circle $((rx + k * 2)),$((cy - k * 2)) $((rx + k * 2)),$((cy - k * 2 + k + 1))
circle $((rx - k * 2)),$((cy + k * 2)) $((rx - k * 2)),$((cy + k * 2 + k + 1))"
}

glyph_globe() {
    local cx=$1 cy=$2 s=$3 c=$4
    local w=$((s / 10 + 1)) e=$((s * 2 / 5)) l=$((s / 2))
    echo "fill none stroke $c stroke-width $w
circle $cx,$cy $((cx + s)),$cy
ellipse $cx,$cy $e,$s 0,360
line $((cx - s)),$cy $((cx + s)),$cy
line $((cx - s * 87 / 100)),$((cy - l)) $((cx + s * 87 / 100)),$((cy - l))
line $((cx - s * 87 / 100)),$((cy + l)) $((cx + s * 87 / 100)),$((cy + l))"
}

glyph_bin() {
    local cx=$1 cy=$2 s=$3 c=$4 hole=$5
    local top=$((cy - s * 3 / 5)) bot=$((cy + s)) w=$((s * 7 / 10)) n=$((s * 11 / 20)) k=$((s / 10 + 1))
    echo "fill $c stroke none
roundrectangle $((cx - s * 9 / 10)),$((top - k * 2)) $((cx + s * 9 / 10)),$top 2,2
roundrectangle $((cx - s / 4)),$((cy - s)) $((cx + s / 4)),$((top - k)) 2,2
polygon $((cx - w)),$((top + k)) $((cx + w)),$((top + k)) $((cx + n)),$bot $((cx - n)),$bot
stroke $hole stroke-width $k
line $((cx - s / 3)),$((top + k * 3)) $((cx - s * 3 / 10)),$((bot - k * 2))
line $cx,$((top + k * 3)) $cx,$((bot - k * 2))
line $((cx + s / 3)),$((top + k * 3)) $((cx + s * 3 / 10)),$((bot - k * 2))"
}

glyph_sliders() {
    local cx=$1 cy=$2 s=$3 c=$4 hole=$5
    local w=$((s / 8 + 1)) g=$((s * 2 / 3)) r=$((s / 4 + 1))
    local out="fill none stroke $c stroke-width $w"
    local row y kx
    for row in -1 0 1; do
        y=$((cy + row * g))
        out+=$'\n'"line $((cx - s)),$y $((cx + s)),$y"
    done
    out+=$'\n'"fill $hole stroke $c stroke-width $w"
    for row in -1 0 1; do
        y=$((cy + row * g))
        case $row in -1) kx=$((cx + s / 3)) ;; 0) kx=$((cx - s / 2)) ;; 1) kx=$((cx + s * 2 / 3)) ;; esac
        out+=$'\n'"circle $kx,$y $((kx + r)),$y"
    done
    echo "$out"
}

# glyph NAME cx cy s colour hole-colour
glyph() {
    local name=$1; shift
    case $name in
        fullclean) glyph_sparkle "$1" "$2" "$3" "$4" ;;
        gamer)     glyph_gamepad "$@" ;;
        internet)  glyph_globe "$1" "$2" "$3" "$4" ;;
        temp)      glyph_bin "$@" ;;
        advanced)  glyph_sliders "$@" ;;
        *) echo "make_pictures: no glyph '$name'" >&2; exit 1 ;;
    esac
}

# --- buttons ----------------------------------------------------------------
BTN_W=150
BTN_H=110

# Classic skin: a rounded gradient tile; the hover state turns teal and lit.
classic_button() {
    local name=$1 label=$2 state=$3 out=$4
    local top bottom border border_w glyph_c text_c
    if [[ $state == on ]]; then
        top="#27B8B8"; bottom="$TEAL_DARK"; border="$WHITE"; border_w=3
        glyph_c="$WHITE"; text_c="$WHITE"
    else
        top="$BLUE"; bottom="$NAVY"; border="$TEAL"; border_w=2
        glyph_c="$MINT"; text_c="#DCEBF2"
    fi
    convert -size ${BTN_W}x${BTN_H} xc:"$PALE" \
        \( -size $((BTN_W - 6))x$((BTN_H - 6)) gradient:"$top"-"$bottom" \
           \( -size $((BTN_W - 6))x$((BTN_H - 6)) xc:black -fill white \
              -draw "roundrectangle 0,0 $((BTN_W - 7)),$((BTN_H - 7)) 14,14" \) \
           -alpha off -compose CopyOpacity -composite \) \
        -compose Over -geometry +3+3 -composite \
        -fill none -stroke "$border" -strokewidth $border_w \
        -draw "roundrectangle 3,3 $((BTN_W - 4)),$((BTN_H - 4)) 14,14" \
        -draw "$(glyph "$name" 75 43 22 "$glyph_c" "$bottom")" \
        -stroke none -fill "$text_c" -font "$FONT_BOLD" -pointsize 15 \
        -gravity north -annotate +0+79 "$label" \
        "${JPEG_OPTS[@]}" "$out"
}

# Default theme: a flat light card with a round badge; hover fills the card.
theme_button() {
    local name=$1 label=$2 state=$3 out=$4
    local card edge badge glyph_c text_c stripe
    if [[ $state == on ]]; then
        card="$DEEP"; edge="$TEAL"; badge="$TEAL"; glyph_c="$WHITE"; text_c="$WHITE"; stripe="$MINT"
    else
        card="$CARD"; edge="#B9D3DE"; badge="$DEEP"; glyph_c="$MINT"; text_c="$INK"; stripe="$TEAL"
    fi
    convert -size ${BTN_W}x${BTN_H} xc:"$WHITE" \
        -fill "$card" -stroke "$edge" -strokewidth 2 \
        -draw "rectangle 1,1 $((BTN_W - 2)),$((BTN_H - 2))" \
        -stroke none -fill "$stripe" -draw "rectangle 2,$((BTN_H - 8)) $((BTN_W - 3)),$((BTN_H - 3))" \
        -fill "$badge" -draw "circle 75,40 75,10" \
        -draw "$(glyph "$name" 75 40 17 "$glyph_c" "$badge")" \
        -fill "$text_c" -font "$FONT_BOLD" -pointsize 14 \
        -gravity north -annotate +0+78 "$label" \
        "${JPEG_OPTS[@]}" "$out"
}

BUTTONS=(
    "fullclean:FULL CLEAN"
    "gamer:GAMER"
    "internet:INTERNET"
    "temp:TEMP"
    "advanced:ADVANCED"
)

make_buttons() {
    local entry name label state
    for entry in "${BUTTONS[@]}"; do
        name=${entry%%:*}
        label=${entry#*:}
        for state in off on; do
            classic_button "$name" "$label" "$state" "$skin_dir/${name}_${state}.jpg"
            theme_button "$name" "$label" "$state" "$theme_dir/btn_${name}_${state}.jpg"
        done
    done
}

# --- backgrounds, banners, splashes ---------------------------------------------

# A window background: dark header band with a title, light body below it, and a footer
# strip for the buttons (FOOTER pixels high, 22 when not given, none for 0).
# background OUT WIDTH HEIGHT HEADER_HEIGHT TITLE SUBTITLE [FOOTER]
background() {
    local out=$1 w=$2 h=$3 hh=$4 title=$5 subtitle=$6 fh=${7:-22}
    local footer=()
    if ((fh > 0)); then
        footer=(-fill "#D6E4EB" -draw "rectangle 0,$((h - fh)) $w,$h"
                -fill "$TEAL" -draw "rectangle 0,$((h - fh)) $w,$((h - fh + 1))")
    fi
    convert -size ${w}x${h} xc:"$PALE" \
        \( -size ${w}x${hh} gradient:"$DEEP"-"$NAVY" -rotate -90 -resize ${w}x${hh}\! \) \
        -geometry +0+0 -composite \
        -fill "$TEAL" -draw "rectangle 0,$hh $w,$((hh + 3))" \
        "${footer[@]}" \
        -draw "$(glyph_sparkle 34 $((hh / 2)) 16 "$MINT")" \
        -fill "$WHITE" -font "$FONT_BOLD" -pointsize 24 \
        -gravity northwest -annotate +64+$((hh / 2 - 26)) "$title" \
        -fill "$MINT" -font "$FONT" -pointsize 13 \
        -annotate +66+$((hh / 2 + 6)) "$subtitle" \
        "${JPEG_OPTS[@]}" "$out"
}

# A banner strip: gradient from navy to teal with the product glyph.
# banner OUT WIDTH HEIGHT TITLE SUBTITLE
banner() {
    local out=$1 w=$2 h=$3 title=$4 subtitle=$5
    local g=$((h * 3 / 8))
    convert -size ${h}x${w} gradient:"$NAVY"-"$TEAL_DARK" -rotate -90 \
        -fill "$TEAL" -draw "rectangle 0,$((h - 3)) $w,$h" \
        -draw "$(glyph_sparkle $((h / 2 + 2)) $((h / 2 + 4)) $g "$MINT")" \
        -fill "$WHITE" -font "$FONT_BOLD" -pointsize $((h * 2 / 5)) \
        -gravity west -annotate +$((h + 12))-$((h / 8)) "$title" \
        -fill "$MINT" -font "$FONT" -pointsize $((h / 5 + 1)) \
        -annotate +$((h + 14))+$((h / 4 + 2)) "$subtitle" \
        "${JPEG_OPTS[@]}" "$out"
}

splash_classic() {
    local out=$1
    convert -size 480x300 gradient:"$BLUE"-"$NAVY" \
        -fill none -stroke "#2A5E93" -strokewidth 1 \
        -draw "circle 400,60 400,200" -draw "circle 400,60 400,160" -draw "circle 400,60 400,120" \
        -stroke none \
        -draw "$(glyph_sparkle 92 118 40 "$MINT")" \
        -fill "$WHITE" -font "$FONT_BOLD" -pointsize 44 \
        -gravity northwest -annotate +150+88 "Pellmaris" \
        -fill "$MINT" -font "$FONT" -pointsize 14 \
        -annotate +153+146 "Sweep away the clutter your PC collects" \
        -fill "$TEAL" -draw "rectangle 40,214 440,216" \
        -fill "#9FBCD1" -font "$FONT" -pointsize 12 \
        -annotate +40+228 "Starting up..." \
        "${JPEG_OPTS[@]}" "$out"
}

splash_default() {
    local out=$1
    convert -size 480x300 xc:"$CARD" \
        \( -size 300x480 gradient:"$TEAL"-"$DEEP" -rotate -90 -crop 480x120+0+0 +repage \) \
        -geometry +0+0 -composite \
        -draw "$(glyph_sparkle 64 60 30 "$WHITE")" \
        -fill "$WHITE" -font "$FONT_BOLD" -pointsize 38 \
        -gravity northwest -annotate +112+34 "Pellmaris" \
        -fill "$INK" -font "$FONT_BOLD" -pointsize 18 \
        -annotate +40+150 "A cleaner, quicker Windows" \
        -fill "#3C5A78" -font "$FONT" -pointsize 13 \
        -annotate +40+182 "Temporary files, browser caches and old logs," \
        -annotate +40+200 "cleared in one click." \
        -fill "$TEAL" -draw "rectangle 40,254 440,257" \
        -fill "#5B7790" -font "$FONT" -pointsize 11 \
        -annotate +40+266 "Loading..." \
        "${JPEG_OPTS[@]}" "$out"
}

# The colours of the small rounded buttons, normal or under the pointer: sets fill, text, edge.
pill_colours() {
    if [[ $1 == on ]]; then
        fill="$TEAL"; text="$WHITE"; edge="$WHITE"
    else
        fill="$DEEP"; text="#DCEBF2"; edge="$TEAL"
    fi
}

weblink_button() {
    local state=$1 out=$2
    local fill text edge
    pill_colours "$state"
    convert -size 150x40 xc:"$PALE" \
        -fill "$fill" -stroke "$edge" -strokewidth 2 \
        -draw "roundrectangle 1,1 148,38 10,10" -stroke none \
        -fill none -stroke "$text" -strokewidth 2 \
        -draw "circle 20,20 20,29" -draw "ellipse 20,20 4,9 0,360" -draw "line 11,20 29,20" \
        -stroke none -fill "$text" -font "$FONT_BOLD" -pointsize 11 \
        -gravity west -annotate +37+0 "Visit our website" \
        "${JPEG_OPTS[@]}" "$out"
}

# The back button of the area-selection window, and the same mark drawn into its classic
# skin, where a caption-less label lies over it.
back_button() {
    local state=$1 out=$2
    local fill text edge
    pill_colours "$state"
    convert -size 120x34 xc:"$PALE" \
        -fill "$fill" -stroke "$edge" -strokewidth 2 \
        -draw "roundrectangle 1,1 118,32 10,10" -stroke none \
        -fill "$text" -draw "polygon 14,17 26,8 26,26" \
        -font "$FONT_BOLD" -pointsize 13 \
        -gravity west -annotate +36+0 "Back" \
        "${JPEG_OPTS[@]}" "$out"
}

back_mark() {
    local skin=$1 tmp
    tmp="$(mktemp -d)"
    back_button off "$tmp/back.jpg"
    convert "$skin" "$tmp/back.jpg" -geometry +500+316 -composite "${JPEG_OPTS[@]}" "$skin"
    rm -rf "$tmp"
}

# The window icon: a teal sparkle on a rounded navy square, drawn large and
# scaled to each size the icon carries.
make_icon() {
    local out=$1 tmp
    tmp="$(mktemp -d)"
    convert -size 256x256 xc:none \
        -fill "$NAVY" -draw "roundrectangle 8,8 247,247 48,48" \
        -fill none -stroke "$TEAL" -strokewidth 10 -draw "roundrectangle 13,13 242,242 44,44" -stroke none \
        -draw "$(glyph_sparkle 118 138 92 "$MINT")" \
        "$tmp/icon.png"
    local size
    for size in 48 32 16; do
        convert "$tmp/icon.png" -filter Lanczos -resize ${size}x${size} -strip "$tmp/icon$size.png"
    done
    convert "$tmp/icon48.png" "$tmp/icon32.png" "$tmp/icon16.png" "$out"
    rm -rf "$tmp"
}

make_buttons
splash_classic "$skin_dir/splash.jpg"
background "$skin_dir/back.jpg" 643 400 64 "Pellmaris" "Pick an area and let it sweep"
background "$skin_dir/back2.jpg" 824 420 84 "Settings" "Choose how Pellmaris starts, cleans and looks" 56
background "$skin_dir/advancedgui.jpg" 643 400 100 "Cleaning Areas" "Tick the areas and options for your custom clean"
back_mark "$skin_dir/advancedgui.jpg"

weblink_button off "$theme_dir/weblink_off.jpg"
weblink_button on "$theme_dir/weblink_on.jpg"
back_button off "$theme_dir/back_off.jpg"
back_button on "$theme_dir/back_on.jpg"
banner "$theme_dir/banner_report.jpg" 643 64 "Pellmaris — Clean Report" "What was removed in this clean"
banner "$theme_dir/banner_main.jpg" 560 60 "Pellmaris" "Keep your PC clean and quick"
banner "$theme_dir/banner_analysis.jpg" 643 64 "Pellmaris — Drive Analysis" "What a clean would free, before it runs"
banner "$theme_dir/banner_results.jpg" 643 64 "Pellmaris — Files Found" "What a clean of this area would delete"
banner "$theme_dir/banner_status.jpg" 563 64 "Pellmaris — System Status" "Memory, drives and running programs"
# The footer starts below the lower buttons (their bottom is pixel 361 of 378).
background "$theme_dir/search_back.jpg" 643 378 64 "File Search" "List every folder of the drives you choose" 14
splash_default "$theme_dir/splash_default.jpg"
make_icon "$theme_dir/pellmaris.ico"

# --- the Windows-tools window, the settings window, the password prompts, the guide ---

# Glyphs of the six Windows tools, centred on (cx, cy) with half-size s.
tool_glyph_cleanmgr() {
    local cx=$1 cy=$2 s=$3 c=$4 hole=$5
    local w=$s h=$((s * 11 / 20)) k=$((s / 8 + 1))
    echo "fill $c stroke none
roundrectangle $((cx - w)),$((cy - h + s / 5)) $((cx + w)),$((cy + h + s / 5)) $k,$k
fill $hole
rectangle $((cx - w + k * 2)),$((cy + s / 5 - k / 2)) $((cx + w / 3)),$((cy + s / 5 + k / 2))
circle $((cx + w * 2 / 3)),$((cy + s / 5)) $((cx + w * 2 / 3 + k)),$((cy + s / 5))"
    glyph_sparkle $((cx + s * 3 / 5)) $((cy - s * 3 / 4)) $((s / 3)) "$c"
}

tool_glyph_dfrgui() {
    local cx=$1 cy=$2 s=$3 c=$4 hole=$5
    local cell=$((s * 2 / 4)) gap=$((s / 10 + 1)) out="stroke none" row col x y colour
    local pattern=(1 1 0 2 1 0 2 2 1 1 0 1 2 1 1 2)
    for row in 0 1 2 3; do
        for col in 0 1 2 3; do
            case ${pattern[$((row * 4 + col))]} in 0) colour="$hole" ;; 1) colour="$c" ;; *) colour="$WHITE" ;; esac
            x=$((cx - s + col * cell)); y=$((cy - s + row * cell))
            out+=$'\n'"fill $colour"$'\n'"rectangle $x,$y $((x + cell - gap)),$((y + cell - gap))"
        done
    done
    echo "$out"
}

tool_glyph_msconfig() {
    local cx=$1 cy=$2 s=$3 c=$4 hole=$5
    local points
    # A gear of ten teeth: the outline alternates between the tooth tips and the root.
    points=$(awk -v cx="$cx" -v cy="$cy" -v s="$s" 'BEGIN {
        n = 10; pi = atan2(0, -1)
        for (i = 0; i < n * 4; i++) {
            a = 2 * pi * i / (n * 4); r = (int(i / 2) % 2 == 0) ? s : s * 0.78
            printf "%d,%d ", cx + r * cos(a), cy + r * sin(a)
        }
    }')
    echo "fill $c stroke none
polygon $points
fill $hole
circle $cx,$cy $((cx + s * 2 / 5)),$cy"
}

tool_glyph_perfmon() {
    local cx=$1 cy=$2 s=$3 c=$4 hole=$5
    local w=$((s / 8 + 1)) l=$((cx - s)) r=$((cx + s)) t=$((cy - s)) b=$((cy + s))
    echo "fill none stroke $c stroke-width $w
line $l,$t $l,$b
line $l,$b $r,$b
stroke $WHITE stroke-width $((w + 1))"
    local points=("$((l + s / 5)),$((b - s / 2))" "$((cx - s / 3)),$((cy - s / 4))" "$cx,$((cy + s / 4))"
                  "$((cx + s / 3)),$((cy - s * 2 / 3))" "$((r - s / 8)),$((cy - s / 5))")
    local i
    for ((i = 1; i < ${#points[@]}; i++)); do
        echo "line ${points[$((i - 1))]} ${points[$i]}"
    done
}

tool_glyph_dxdiag() {
    local cx=$1 cy=$2 s=$3 c=$4 hole=$5
    local h=$((s * 87 / 100)) q=$((s / 2))
    echo "stroke none fill $WHITE
polygon $cx,$((cy - s)) $((cx + h)),$((cy - q)) $cx,$cy $((cx - h)),$((cy - q))
fill $c
polygon $((cx - h)),$((cy - q)) $cx,$cy $cx,$((cy + s)) $((cx - h)),$((cy + q))
fill $TEAL_DARK
polygon $((cx + h)),$((cy - q)) $cx,$cy $cx,$((cy + s)) $((cx + h)),$((cy + q))"
}

tool_glyph_regedt32() {
    local cx=$1 cy=$2 s=$3 c=$4 hole=$5
    local b=$((s * 2 / 5)) w=$((s / 10 + 1)) x0=$((cx - s * 3 / 5)) x1=$((cx + s / 3))
    local y0=$((cy - s * 3 / 5)) y1=$cy y2=$((cy + s * 3 / 5))
    echo "fill none stroke $c stroke-width $w
line $x0,$y0 $x0,$y2
line $x0,$y1 $x1,$y1
line $x0,$y2 $x1,$y2
stroke none fill $c
roundrectangle $((x0 - b)),$((y0 - b)) $((x0 + b)),$((y0 + b)) 3,3
fill $WHITE
roundrectangle $((x1 - b)),$((y1 - b * 3 / 4)) $((x1 + b)),$((y1 + b * 3 / 4)) 3,3
fill $MINT
roundrectangle $((x1 - b)),$((y2 - b * 3 / 4)) $((x1 + b)),$((y2 + b * 3 / 4)) 3,3"
}

# A tool icon: a square tile, its glyph and the tool's name; the window stretches it to
# the icon size the user chose, so it is drawn at the largest (3090 twips).
tool_icon() {
    local name=$1 label=$2 out=$3
    convert -size 206x206 xc:"$PALE" \
        \( -size 200x200 gradient:"$BLUE"-"$NAVY" \
           \( -size 200x200 xc:black -fill white -draw "roundrectangle 0,0 199,199 26,26" \) \
           -alpha off -compose CopyOpacity -composite \) \
        -compose Over -geometry +3+3 -composite \
        -fill none -stroke "$TEAL" -strokewidth 3 -draw "roundrectangle 3,3 202,202 26,26" -stroke none \
        -draw "$(tool_glyph_"$name" 103 86 50 "$MINT" "$NAVY")" \
        -fill "$WHITE" -font "$FONT_BOLD" -pointsize 18 \
        -gravity north -annotate +0+160 "$label" \
        "${JPEG_OPTS[@]}" "$out"
}

make_tool_icons() {
    tool_icon cleanmgr "Disk Cleanup" "$theme_dir/tool_cleanmgr.jpg"
    tool_icon dfrgui "Defragment" "$theme_dir/tool_dfrgui.jpg"
    tool_icon msconfig "Configuration" "$theme_dir/tool_msconfig.jpg"
    tool_icon perfmon "Performance" "$theme_dir/tool_perfmon.jpg"
    tool_icon dxdiag "DirectX" "$theme_dir/tool_dxdiag.jpg"
    tool_icon regedt32 "Registry" "$theme_dir/tool_regedt32.jpg"
}

# The password prompts: a banner with a padlock across the top, a plain strip below it
# for the text box and Accept.
password_background() {
    local out=$1 w=332 h=121 bh=80
    convert -size ${w}x${h} xc:"$PALE" \
        \( -size ${bh}x${w} gradient:"$NAVY"-"$TEAL_DARK" -rotate -90 \) -geometry +0+0 -composite \
        -fill "$TEAL" -draw "rectangle 0,$bh $w,$((bh + 2))" \
        -fill none -stroke "$MINT" -strokewidth 5 -draw "arc 22,14 50,46 180,360" -stroke none \
        -fill "$MINT" -draw "roundrectangle 16,30 56,62 5,5" \
        -fill "$NAVY" -draw "circle 36,43 36,48" -draw "rectangle 34,45 38,54" \
        -fill "$WHITE" -font "$FONT_BOLD" -pointsize 20 \
        -gravity northwest -annotate +72+14 "Password" \
        -fill "#DCEBF2" -font "$FONT" -pointsize 12 \
        -annotate +73+44 "This window is locked. Type the" \
        -annotate +73+59 "password and press Accept." \
        "${JPEG_OPTS[@]}" "$out"
}

# The guide: the analysis window's grid of area cells, a welcome and what to do next.
guide_picture() {
    local out=$1 w=446 h=321
    local draw="" col row x y colour
    local columns=("Gamer" "Internet" "Temp" "User" "Full")
    local rows=("Can be freed" "Read-only" "Hidden" "Both")
    local gx=96 gy=118 cw=68 ch=30
    for col in 0 1 2 3 4; do
        x=$((gx + col * cw))
        draw+="fill $DEEP rectangle $x,$((gy - 24)) $((x + cw - 3)),$((gy - 3)) "
    done
    for row in 0 1 2 3; do
        y=$((gy + row * ch))
        draw+="fill #D6E4EB rectangle 14,$y $((gx - 4)),$((y + ch - 3)) "
        for col in 0 1 2 3 4; do
            x=$((gx + col * cw))
            colour="$WHITE"
            [[ $row == 0 && $col == 1 ]] && colour="#BFEFEA"
            draw+="fill $colour stroke #B9D3DE rectangle $x,$y $((x + cw - 3)),$((y + ch - 3)) stroke none "
            draw+="fill $TEAL rectangle $((x + 6)),$((y + ch - 10)) $((x + 6 + (cw - 18) * ((row * 5 + col * 3) % 7 + 2) / 8)),$((y + ch - 7)) "
        done
    done
    local args=()
    for col in 0 1 2 3 4; do
        args+=(-annotate +$((gx + col * cw + 6))+$((gy - 21)) "${columns[$col]}")
    done
    local label_args=()
    for row in 0 1 2 3; do
        label_args+=(-annotate +20+$((gy + row * ch + 7)) "${rows[$row]}")
    done
    # The pointer over the highlighted cell.
    local px=$((gx + cw + 40)) py=$((gy + 16))
    convert -size ${w}x${h} xc:"$PALE" \
        \( -size 72x${w} gradient:"$DEEP"-"$NAVY" -rotate -90 \) -geometry +0+0 -composite \
        -fill "$TEAL" -draw "rectangle 0,72 $w,74" \
        -draw "$(glyph_sparkle 30 36 15 "$MINT")" \
        -fill "$WHITE" -font "$FONT_BOLD" -pointsize 19 \
        -gravity northwest -annotate +56+14 "Welcome to the Drive Analysis" \
        -fill "$MINT" -font "$FONT" -pointsize 12 \
        -annotate +57+42 "How much space a clean of each area would free" \
        -draw "$draw" \
        -fill "$WHITE" -font "$FONT_BOLD" -pointsize 11 "${args[@]}" \
        -fill "$INK" -font "$FONT" -pointsize 11 "${label_args[@]}" \
        -fill "$WHITE" -stroke "$INK" -strokewidth 1.5 \
        -draw "polygon $px,$py $px,$((py + 20)) $((px + 5)),$((py + 15)) $((px + 9)),$((py + 24)) $((px + 12)),$((py + 22)) $((px + 8)),$((py + 14)) $((px + 14)),$((py + 14))" \
        -stroke none -fill "$INK" -font "$FONT_BOLD" -pointsize 13 \
        -annotate +14+244 "Click a cell to see the details of that area." \
        -fill "#3C5A78" -font "$FONT" -pointsize 11 \
        -annotate +14+264 "The file list shows every file the clean would remove, by kind." \
        -fill "#D6E4EB" -draw "rectangle 0,$((h - 30)) $w,$h" \
        -fill "$TEAL" -draw "rectangle 0,$((h - 30)) $w,$((h - 29))" \
        "${JPEG_OPTS[@]}" "$out"
}

make_tool_icons
background "$theme_dir/back_settings.jpg" 824 376 64 "Settings" "Choose how Pellmaris starts, cleans and looks" 36
background "$theme_dir/back_tools.jpg" 948 525 64 "Windows Tools" "The maintenance programs that come with Windows" 0
password_background "$theme_dir/back_password.jpg"
guide_picture "$theme_dir/guide.jpg"

echo "make_pictures: wrote $(ls "$skin_dir" | wc -l) skin and $(ls "$theme_dir" | wc -l) theme pictures"
