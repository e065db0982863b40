#!/usr/bin/env bash
# Screenshots of the Devices page, both new-device dialogs and the Status page:
#   tests/devices/take-shots.sh BUILD_DIR OUT_DIR
# Runs the disabled DevicesShots test in a harness session and saves devices-page.png,
# new-device-type.png, new-device-name.png and status-page.png in OUT_DIR.
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
"$WINE" "$build/bin/devices_tests.exe" --gtest_also_run_disabled_tests \
    --gtest_filter='DevicesShots.*' >"$out/shots.log" 2>&1 &
runner=$!
for n in 1 2 3 4; do
    deadline=$(( $(date +%s) + 60 ))
    until [ -e "$out/$n.ready" ]; do
        [ "$(date +%s)" -lt "$deadline" ] && kill -0 "$runner" 2>/dev/null || { cat "$out/shots.log"; exit 1; }
        sleep 0.1
    done
    "$root/tools/screenshot.sh" "$out/$n.png"
    touch "$out/$n.done"
done
names=(devices-page new-device-type new-device-name status-page)
for n in 1 2 3 4; do
    convert "$out/$n.png" -trim +repage "$out/${names[$((n - 1))]}.png" && rm -f "$out/$n.png"
done
wait "$runner"
rm -f "$out"/*.ready "$out"/*.done
