#!/usr/bin/env bash
# Saves the whole Xvfb display ($DISPLAY) as a PNG: tools/screenshot.sh out.png
set -euo pipefail
out=$1
convert=/usr/bin/convert; [ -x "$convert" ] || convert=convert
xwd -root -silent -display "$DISPLAY" | "$convert" xwd:- -strip "png:$out"   # -strip: no time stamps, so equal pictures are equal files
