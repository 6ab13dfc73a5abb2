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

# A window background: dark header band with a title, light body below it.
# background OUT WIDTH HEIGHT HEADER_HEIGHT TITLE SUBTITLE
background() {
    local out=$1 w=$2 h=$3 hh=$4 title=$5 subtitle=$6
    convert -size ${w}x${h} xc:"$PALE" \
        \( -size ${w}x${hh} gradient:"$DEEP"-"$NAVY" -rotate -90 -resize ${w}x${hh}\! \) \
        -geometry +0+0 -composite \
        -fill "$TEAL" -draw "rectangle 0,$hh $w,$((hh + 3))" \
        -fill "#D6E4EB" -draw "rectangle 0,$((h - 22)) $w,$h" \
        -fill "$TEAL" -draw "rectangle 0,$((h - 22)) $w,$((h - 21))" \
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
background "$skin_dir/back2.jpg" 643 420 84 "Settings" "Choose how Pellmaris starts, cleans and looks"
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
splash_default "$theme_dir/splash_default.jpg"
make_icon "$theme_dir/pellmaris.ico"

echo "make_pictures: wrote $(ls "$skin_dir" | wc -l) skin and $(ls "$theme_dir" | wc -l) theme pictures"
