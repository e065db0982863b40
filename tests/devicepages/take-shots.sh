#!/usr/bin/env bash
# Screenshots of every page of the applet's sheet:
#   tests/devicepages/take-shots.sh BUILD_DIR OUT_DIR
# Runs the disabled PagesShots test in a harness session and saves one PNG per tab in OUT_DIR,
# named by its position and caption (03-windows.png ...).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
mkdir -p "$2"; out=$(cd "$2" && pwd)
rm -f "$out"/*.ready "$out"/*.done "$out"/pages.txt

. "$root/tools/wine-env.sh"
trap wine_env_down EXIT
wine_env_up "$build"
wine_env_standins "$build"
export TIVEN_SHOT_DIR="Z:${out//\//\\}"
"$WINE" "$build/bin/device_pages_tests.exe" --gtest_also_run_disabled_tests \
    --gtest_filter='PagesShots.*' >"$out/shots.log" 2>&1 &
runner=$!
n=0
while :; do
    deadline=$(( $(date +%s) + 60 ))
    until [ -e "$out/$n.ready" ]; do
        if ! kill -0 "$runner" 2>/dev/null; then break 2; fi
        [ "$(date +%s)" -lt "$deadline" ] || { cat "$out/shots.log"; exit 1; }
        sleep 0.1
    done
    "$root/tools/screenshot.sh" "$out/$n.png"
    touch "$out/$n.done"
    n=$((n + 1))
done
wait "$runner" || { cat "$out/shots.log"; exit 1; }
[ "$n" -gt 0 ] || { cat "$out/shots.log"; exit 1; }
i=0
iconv -f UTF-16LE -t UTF-8 "$out/pages.txt" | while read -r caption; do
    name=$(printf '%02d-%s' "$i" "$(echo "$caption" | tr 'A-Z ' 'a-z-' | tr -cd 'a-z0-9-' | sed 's/-*$//')")
    convert "$out/$i.png" -trim +repage "$out/$name.png" && rm -f "$out/$i.png"
    i=$((i + 1))
done
rm -f "$out"/*.ready "$out"/*.done
