#!/usr/bin/env bash
# Screenshots of windows that a disabled "...Shots" test shows one after another:
#   tools/take-shots.sh BUILD_DIR OUT_DIR TEST_PROGRAM GTEST_FILTER NAME...
# Runs the test in a harness session, with the stand-in drivers and the simulated serial
# controller on COM2. For each view the test creates "<NAME>.ready" in the
# folder named by TIVEN_SHOT_DIR (testsupport::Shoot) and goes on when "<NAME>.done" appears
# there; the views come in the order of the NAMEs, each saved as OUT_DIR/<NAME>.png: trimmed to
# what is on screen, or cut to the part the ready file names (WxH+X+Y).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
mkdir -p "$2"; out=$(cd "$2" && pwd)
program=$3; filter=$4; shift 4
names=("$@")
rm -f "$out"/*.ready "$out"/*.done

. "$root/tools/wine-env.sh"
. "$root/tools/shots-lib.sh"
trap wine_env_down EXIT
wine_env_up "$build"
wine_env_standins "$build"
wine_env_serialsim "$build" COM2
export TIVEN_SHOT_DIR="Z:${out//\//\\}"
"$WINE" "$build/bin/$program" --gtest_also_run_disabled_tests --gtest_filter="$filter" >"$out/shots.log" 2>&1 &
runner=$!
shots_capture "$out" "$runner" 60 "${names[@]}"
wait "$runner"
rm -f "$out"/*.ready "$out"/*.done
