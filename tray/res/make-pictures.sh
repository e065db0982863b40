#!/usr/bin/env bash
# Draws the tray program's icons and the mode selector's pictures with ImageMagick:
#   tray/res/make-pictures.sh   (writes the files next to this script)
# A mouse with its left button lit stands for the primary button mode, one with its right button
# lit for the secondary mode. The sizes are those the programs lay their windows out for.
set -euo pipefail
cd "$(dirname "$0")"
face='#d4d0c8'
primary='#3a6ea5'
secondary='#d9702a'

# mouse W H SIDE OUT [FONT_TEXT]: a mouse picture of W x H pixels, SIDE left or right lit.
mouse() {
    local w=$1 h=$2 side=$3 out=$4
    local mh=$(( h * 90 / 100 )) ; local mw=$(( mh * 55 / 100 ))
    local x0=$(( (w - mw) / 2 )) y0=$(( (h - mh) / 2 ))
    local x1=$(( x0 + mw )) y1=$(( y0 + mh )) xm=$(( x0 + mw / 2 )) yb=$(( y0 + mh * 38 / 100 ))
    local r=$(( mw / 2 )) sw=$(( h > 60 ? 2 : 1 ))
    local lit fill
    if [ "$side" = left ]; then
        lit="path 'M $x0,$yb L $x0,$(( y0 + r )) Q $x0,$y0 $xm,$y0 L $xm,$yb Z'"; fill=$primary
    else
        lit="path 'M $x1,$yb L $x1,$(( y0 + r )) Q $x1,$y0 $xm,$y0 L $xm,$yb Z'"; fill=$secondary
    fi
    convert -size "${w}x${h}" "xc:$face" -stroke black -strokewidth "$sw" \
        -fill white -draw "roundrectangle $x0,$y0 $x1,$y1 $r,$r" \
        -fill "$fill" -draw "$lit" \
        -draw "line $xm,$y0 $xm,$yb" -draw "line $x0,$yb $x1,$yb" \
        -type TrueColor "BMP3:$out"
}

# words W H SIDE TEXT OUT [SIZE]: the mode's name beside a small mouse; SIZE is the text's height
# in percent of the picture's (32 when not given).
words() {
    local w=$1 h=$2 side=$3 text=$4 out=$5 size=${6:-32} fill
    [ "$side" = left ] && fill=$primary || fill=$secondary
    mouse $(( h * 70 / 100 )) "$h" "$side" mouse.bmp
    convert -size "$(( w - h * 70 / 100 ))x${h}" "xc:$face" -fill "$fill" -font DejaVu-Sans-Bold \
        -pointsize $(( h * size / 100 )) -gravity center -annotate +0+0 "$text" words.bmp
    convert mouse.bmp words.bmp +append -type TrueColor "BMP3:$out"
    rm -f mouse.bmp words.bmp
}

# Large, medium and small pictures (primary, secondary).
mouse 118 97 left  large-primary.bmp
mouse 117 91 right large-secondary.bmp
mouse 71 59 left   medium-primary.bmp
mouse 71 55 right  medium-secondary.bmp
mouse 36 30 left   small-primary.bmp
mouse 36 28 right  small-secondary.bmp
# Text pictures: the English set, and the second set for the other label languages, which names
# the buttons by number so that it reads the same in every language.
words 129 50 left  'Primary'   text-primary.bmp 28
words 128 52 right 'Secondary' text-secondary.bmp 26
words 128 52 left  '1'         numbered-primary.bmp 70
words 144 77 right '2'         numbered-secondary.bmp 70

# Icons: 32 and 16 pixels. The mode icons of the tray; the tray's main icon (a touch panel with a
# finger point); the selector's icon (both buttons, in 16 colours).
icon() {   # icon OUT DRAW...
    local out=$1; shift
    local sizes=()
    for s in 32 16; do
        convert -size 32x32 xc:none "$@" -resize "${s}x${s}" "png32:icon-$s.png"
        sizes+=("icon-$s.png")
    done
    convert "${sizes[@]}" "$out"
    rm -f "${sizes[@]}"
}
mouse_icon() {   # mouse_icon SIDE COLOUR OUT
    local lit
    if [ "$1" = left ]; then lit="path 'M 8,13 L 8,10 Q 8,2 16,2 L 16,13 Z'"; else lit="path 'M 24,13 L 24,10 Q 24,2 16,2 L 16,13 Z'"; fi
    icon "$3" -stroke black -strokewidth 2 -fill white -draw "roundrectangle 8,2 24,29 8,8" \
        -fill "$2" -draw "$lit" -draw "line 16,2 16,13" -draw "line 8,13 24,13"
}
mouse_icon left "$primary" mode-primary.ico
mouse_icon right "$secondary" mode-secondary.ico
icon tray.ico -stroke black -strokewidth 2 -fill '#e8e8e8' -draw "rectangle 2,4 29,23" \
    -fill '#5b8fc9' -draw "rectangle 5,7 26,20" -strokewidth 1 -fill '#404040' -draw "rectangle 12,24 19,27" \
    -draw "rectangle 8,27 23,29" -fill '#ffd23f' -stroke black -draw "circle 19,14 19,10"
convert -size 32x32 xc:'#c0c0c0' -stroke black -strokewidth 2 -fill white -draw "roundrectangle 8,2 24,29 8,8" \
    -fill "$primary" -draw "path 'M 8,13 L 8,10 Q 8,2 16,2 L 16,13 Z'" \
    -fill "$secondary" -draw "path 'M 24,13 L 24,10 Q 24,2 16,2 L 16,13 Z'" \
    -draw "line 16,2 16,13" -draw "line 8,13 24,13" -colors 16 -type Palette BMP3:selector.bmp
convert selector.bmp -transparent '#c0c0c0' selector.ico
rm -f selector.bmp
