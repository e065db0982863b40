# Sourced by the shot scripts (after tools/wine-env.sh, inside a harness session):
#   shots_capture OUT_DIR RUNNER_PID SECONDS NAME...
# takes the views a running "...Shots" test shows one after another. For each NAME the test
# creates OUT_DIR/<NAME>.ready (testsupport::Shoot) and goes on when <NAME>.done appears; each
# view is saved as OUT_DIR/<NAME>.png, trimmed to what is on screen or cut to the part the ready
# file names (WxH+X+Y). Fails, showing OUT_DIR/shots.log, when a view is not ready within SECONDS
# or the test has ended before it.

_shots_ready_or_gone() { [ -e "$1" ] || ! kill -0 "$2" 2>/dev/null; }

shots_capture() {
    local out=$1 runner=$2 seconds=$3 name keep
    shift 3
    for name in "$@"; do
        _wine_env_wait "$seconds" _shots_ready_or_gone "$out/$name.ready" "$runner" || true
        if [ ! -e "$out/$name.ready" ]; then
            echo "shots: view $name was not shown" >&2
            cat "$out/shots.log" >&2
            return 1
        fi
        "$(dirname "${BASH_SOURCE[0]}")/screenshot.sh" "$out/$name.full.png"
        keep=$(cat "$out/$name.ready")
        touch "$out/$name.done"
        if [ -n "$keep" ]; then
            convert "$out/$name.full.png" -crop "$keep" +repage "$out/$name.png"
        else
            convert "$out/$name.full.png" -trim +repage "$out/$name.png"
        fi
        rm -f "$out/$name.full.png"
    done
}
