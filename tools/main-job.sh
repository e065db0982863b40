#!/usr/bin/env bash
# The suite's main job: set up and build, then open the Control Panel applet under Wine on a
# sample registry with both stand-in drivers running, and save a screenshot of the sheet.
#   tools/main-job.sh [screenshot.png]      (default build/main-job.png)
# The sample product key and device keys stay in the prefix (build/x86_64/wineprefix) so the
# applet can be opened again by hand: see the README.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TIVEN_BUILD_DIR:-$root/build/x86_64}
shot=${1:-$root/build/main-job.png}
sample=$root/tests/applet/sample
"$root/tools/deps.sh"
TIVEN_TARGETS="${TIVEN_TARGETS:-Tunora CplHost Aimwell TivenDevList rilo_sys meka_sys standin-ctl}" \
    "$root/tools/build.sh" x86_64 "$build"

. "$root/tools/wine-env.sh"
trap wine_env_down EXIT
wine_env_up "$build"
"$root/tools/standins.sh" start "$build/bin"

# Sample registry: product key, label file, two serial devices and one USB device.
mkdir -p "$WINEPREFIX/drive_c/Tiven"
cp "$sample/labels.xml" "$WINEPREFIX/drive_c/Tiven/labels.xml"
wine regedit /S "$(winepath -w "$sample/applet-sample.reg")"
echo "main-job: touch devices in the sample registry:"
wine "$build/bin/TivenDevList.exe" --list | tr -d '\r'

title="5-Wire Touch Panel Device Properties"
wine control "$(winepath -w "$build/bin/Tunora.cpl")" &
app=$!
found=""
for _ in $(seq 1 300); do
    if xwininfo -root -tree -display "$DISPLAY" 2>/dev/null | grep -q "\"$title\""; then found=1; break; fi
    sleep 0.1
done
[ -n "$found" ] || { echo "main-job: the sheet did not appear" >&2; exit 1; }
sleep 0.5   # let the first page finish painting before the picture is taken
"$root/tools/screenshot.sh" "$shot"
echo "main-job: screenshot of the sheet saved to $shot"
wineserver -k >/dev/null 2>&1 || true
wait $app 2>/dev/null || true
