#!/usr/bin/env bash
# Screenshots of every page of the setup wizard, the restart question and the exit question:
#   tests/setup/take-shots.sh BUILD_DIR OUT_DIR
# Runs the wizard tests in a fresh prefix with TIVEN_SHOT_DIR set, so each view waits for its
# picture, and saves 1-welcome.png ... 9-exit-question.png in OUT_DIR.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
mkdir -p "$2"; out=$(cd "$2" && pwd)
rm -f "$out"/*.ready "$out"/*.done

. "$root/tools/wine-env.sh"
. "$root/tools/shots-lib.sh"
trap wine_env_down EXIT
wine_env_up "$build"
"$root/tools/wine-fresh-run" --make-template
export TIVEN_SHOT_DIR="Z:${out//\//\\}"
# Each test in a fresh prefix of its own, one after the other.
(
    for test in WalksThroughEveryPageInstallsAndAsksForARestart CancelAsksFirstAndYesLeavesWithoutInstalling; do
        "$root/tools/wine-fresh-run" "$build/bin/setup_wizard_tests.exe" --gtest_filter="SetupWizard.$test" || exit 1
    done
) >"$out/shots.log" 2>&1 &
runner=$!
shots_capture "$out" "$runner" 90 1-welcome 2-language 3-controller 4-clone 5-licence 6-folder 7-status \
    8-restart 9-exit-question
wait "$runner"
rm -f "$out"/*.ready "$out"/*.done
