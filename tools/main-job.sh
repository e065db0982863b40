#!/usr/bin/env bash
# The suite's main job: set up and build, then open the Control Panel applet under Wine on a
# sample registry with both stand-in drivers running, and save a screenshot of the sheet.
#   tools/main-job.sh [screenshot.png]      (default build/main-job.png)
# It runs the i686 build, the suite's target, in a 32-bit prefix (build/i686/wineprefix). On a
# machine that cannot run 32-bit Wine it says so and runs the x86_64 build in a 64-bit prefix.
# TIVEN_MAIN_ARCH=x86_64 (or i686) chooses the build. The sample product key and device keys stay
# in the prefix, so the applet can be opened again by hand: see the README.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
shot=${1:-$root/build/main-job.png}
sample=$root/tests/applet/sample
"$root/tools/deps.sh"
. "$root/tools/wine-env.sh"

arch=${TIVEN_MAIN_ARCH:-}
if [ -z "$arch" ]; then
    if wine_env_can_run_i686; then
        arch=i686
    else
        echo "main-job: this machine's kernel cannot execute 32-bit programs, so 32-bit Wine cannot" \
             "start; running the x86_64 build in a 64-bit prefix instead" >&2
        arch=x86_64
    fi
fi
build=${TIVEN_BUILD_DIR:-$root/build}/$arch
TIVEN_TARGETS="${TIVEN_TARGETS:-Tunora Aimwell TivenDevList rilo_sys meka_sys standin-ctl}" \
    "$root/tools/build.sh" "$arch" "$build"

trap wine_env_down EXIT
wine_env_up "$build"
wine_env_standins "$build"
echo "main-job: $arch build in a $WINEARCH prefix ($WINEPREFIX)"

# Sample registry: product key, label file, two serial devices and one USB device.
mkdir -p "$WINEPREFIX/drive_c/Tiven"
cp "$sample/labels.xml" "$WINEPREFIX/drive_c/Tiven/labels.xml"
"$WINE" regedit /S "$("$WINE" winepath -w "$sample/applet-sample.reg")"
echo "main-job: touch devices in the sample registry:"
"$WINE" "$build/bin/TivenDevList.exe" --list | tr -d '\r'

# control.exe of the prefix's own architecture, so that it can load this build's applet.
title="5-Wire Touch Panel Device Properties"
"$WINE" control "$("$WINE" winepath -w "$build/bin/Tunora.cpl")" &
app=$!
sheet_shown() {
    kill -0 "$app" 2>/dev/null || { echo "main-job: control.exe ended before the sheet appeared" >&2; exit 1; }
    xwininfo -root -tree -display "$DISPLAY" 2>/dev/null | grep -q "\"$title\""
}
_wine_env_wait 30 sheet_shown || { echo "main-job: the sheet \"$title\" did not appear within 30 s" >&2; exit 1; }

# The sheet is painted once two pictures taken one after another are the same.
prev="$shot.prev.png"
"$root/tools/screenshot.sh" "$prev"
painted() {
    "$root/tools/screenshot.sh" "$shot"
    cmp -s "$shot" "$prev" && return 0
    cp "$shot" "$prev"
    return 1
}
_wine_env_wait 15 painted || echo "main-job: the display kept changing; saving the last picture" >&2
rm -f "$prev"
echo "main-job: screenshot of the sheet saved to $shot"
wineserver -k >/dev/null 2>&1 || true
wait $app 2>/dev/null || true
