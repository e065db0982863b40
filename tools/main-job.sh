#!/usr/bin/env bash
# The suite's main job: set up, build, and run the program under Wine, then save a screenshot.
#   tools/main-job.sh [screenshot.png]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TIVEN_BUILD_DIR:-$root/build/x86_64}
shot=${1:-$root/build/main-job.png}
"$root/tools/deps.sh"
"$root/tools/build.sh" x86_64 "$build"
. "$root/tools/wine-env.sh"
trap wine_env_down EXIT
wine_env_up "$build"

wine "$build/bin/ProofDialog.exe" &
app=$!
for _ in $(seq 1 200); do
    sleep 0.1
    xwininfo -root -tree -display "$DISPLAY" 2>/dev/null | grep -q '"Proof Dialog"' && break
done
"$root/tools/screenshot.sh" "$shot"
echo "main-job: screenshot saved to $shot"
wineserver -k >/dev/null 2>&1 || true
wait $app 2>/dev/null || true
