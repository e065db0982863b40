#!/usr/bin/env bash
# Screenshots of every page of the applet's sheet:
#   tests/devicepages/take-shots.sh BUILD_DIR OUT_DIR
# Runs the disabled PagesShots test in a harness session and saves one PNG per tab in OUT_DIR,
# named by its position and caption (03-windows.png ...): whatever view the test announces is
# taken, so pages added to the sheet are shot too.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
mkdir -p "$2"; out=$(cd "$2" && pwd)
rm -f "$out"/*.ready "$out"/*.done

. "$root/tools/wine-env.sh"
trap wine_env_down EXIT
wine_env_up "$build"
wine_env_standins "$build"
export TIVEN_SHOT_DIR="Z:${out//\//\\}"
"$WINE" "$build/bin/device_pages_tests.exe" --gtest_also_run_disabled_tests \
    --gtest_filter='PagesShots.*' >"$out/shots.log" 2>&1 &
runner=$!
shots=0
deadline=$(( $(date +%s) + 60 ))
while kill -0 "$runner" 2>/dev/null; do
    for ready in "$out"/*.ready; do
        [ -e "$ready" ] || continue
        name=$(basename "$ready" .ready)
        [ -e "$out/$name.done" ] && continue
        "$root/tools/screenshot.sh" "$out/$name.full.png"
        convert "$out/$name.full.png" -trim +repage "$out/$name.png" && rm -f "$out/$name.full.png"
        touch "$out/$name.done"
        shots=$((shots + 1))
        deadline=$(( $(date +%s) + 60 ))
    done
    [ "$(date +%s)" -lt "$deadline" ] || { cat "$out/shots.log"; exit 1; }
    sleep 0.1
done
wait "$runner" || { cat "$out/shots.log"; exit 1; }
[ "$shots" -gt 0 ] || { cat "$out/shots.log"; exit 1; }
rm -f "$out"/*.ready "$out"/*.done
