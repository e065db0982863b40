#!/usr/bin/env bash
# restarts.sh PROBE [fresh]: the restart rule of tools/wine-run (tools/restart-rule.sh), shown with
# the fake test program PROBE (RestartProbe.cpp) run through tools/wine-run, or with "fresh"
# through tools/wine-fresh-run. Each case runs the probe with its modes (one for each start) and
# checks how often it was started, the runner's exit code, what the restart log names and that
# the probe's stdout and stderr still came out. Passes when every case holds. The restarts of
# these cases go to a log of their own, not to the harness's.
root=$(cd "$(dirname "$0")/../.." && pwd)
probe=$1
. "$root/tools/restart-rule.sh"
. "$root/tools/wine-env.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# check_case NAME STARTS RC KIND RUNNER ARGS...: runs RUNNER PROBE STARTS-FILE ARGS; STARTS and RC
# are the starts and the exit code it must come to, KIND the kind of its one start once more, or
# "-" when there may be none.
failed=0
check_case() {
    local name=$1 want_starts=$2 want_rc=$3 want_kind=$4 runner=$5; shift 5
    local starts="$work/$name.starts" log="$work/$name.log" out="$work/$name.out" err="$work/$name.err"
    local rc starts_made problems="" want_log=""
    TIVEN_RESTART_LOG=$log "$runner" "$probe" "Z:${starts//\//\\}" "$@" >"$out" 2>"$err"
    rc=$?
    starts_made=$(wc -l <"$starts" 2>/dev/null || echo 0)
    [ "$starts_made" -eq "$want_starts" ] || problems+=" started $starts_made times, not $want_starts;"
    [ "$rc" -eq "$want_rc" ] || problems+=" exit code $rc, not $want_rc;"
    if [ "$want_kind" != - ]; then
        want_log="$want_kind: $probe Z:${starts//\//\\} $* (exit code "
        [ "$(wc -l <"$log" 2>/dev/null || echo 0)" -eq 1 ] && [[ $(cat "$log" 2>/dev/null) == "$want_log"* ]] \
            || problems+=" restart log '$(cat "$log" 2>/dev/null)', not one line '$want_log...';"
        [ "$(restart_summary "$log")" = "1 test process started again: 1 $want_kind" ] \
            || problems+=" summary '$(restart_summary "$log")';"
    elif [ -e "$log" ]; then
        problems+=" restart log '$(cat "$log")', not none;"
    fi
    # What the probe printed still comes out where it printed it.
    case " $* " in *" xerror "*) grep -q 'X Error of failed request' "$err" || problems+=" no X error on stderr;" ;; esac
    case " $* " in *" xerror-stdout "*) grep -q 'X Error of failed request' "$out" || problems+=" no X error on stdout;" ;; esac
    [ "$rc" -ne 0 ] || grep -q '^\[  PASSED  \]' "$out" || problems+=" no result on stdout;"
    if [ -n "$problems" ]; then
        failed=1
        echo "FAILED $name ($*):$problems"
        sed 's/^/    stdout: /' "$out"; sed 's/^/    stderr: /' "$err"
    else
        echo "ok     $name ($*): $starts_made start(s), exit code $rc${want_log:+, logged as $want_kind}"
    fi
}

if [ "${2:-}" = fresh ]; then
    run="$root/tools/wine-fresh-run"
    # The start once more gets a new copy of the fresh prefix: the probe fails (code 2) in a copy
    # an earlier start used.
    check_case fresh-copy-again 2 0 "X error" "$run" --fresh xerror pass
    check_case fresh-no-restart 1 1 - "$run" --fresh fail pass
    exit $failed
fi
run="$root/tools/wine-run"
check_case passes 1 0 - "$run" pass
# Wine's own deaths: started once more, and passing then is a pass.
check_case x-error-then-pass 2 0 "X error" "$run" xerror pass
check_case x-error-on-stdout-then-pass 2 0 "X error" "$run" xerror-stdout pass
check_case exit-139-after-result-then-pass 2 0 "exit 139 after its result" "$run" segv-passed pass
check_case no-output-then-pass 2 0 "died before its main" "$run" silent pass
check_case started-program-died-then-pass 2 0 "a program it started died in Wine's start" "$run" start-died pass
# At most once: the second start's failure, of whatever kind, fails the test.
check_case x-error-twice 2 1 "X error" "$run" xerror
check_case exit-139-after-result-twice 2 139 "exit 139 after its result" "$run" segv-passed
check_case x-error-then-no-output 2 1 "X error" "$run" xerror silent
# Failures of the test itself are never repeated.
check_case fails-on-its-own 1 1 - "$run" fail pass
check_case exit-139-after-failing-result 1 139 - "$run" segv-failed pass
check_case exit-139-before-a-result 1 139 - "$run" segv-early pass
check_case started-program-refused 1 1 - "$run" start-refused pass
# A test that hangs: what it printed on stdout and stderr comes out while it runs (within a
# minute; the probe waits two), so a test that CTest ends at its time-out shows it.
hang_out="$work/hang.out" hang_err="$work/hang.err" hang_starts="$work/hang.starts"
TIVEN_RESTART_LOG="$work/hang.log" "$run" "$probe" "Z:${hang_starts//\//\\}" hang >"$hang_out" 2>"$hang_err" &
hang_pid=$!
hang_printed() { grep -q '^\[ RUN      \] Probe.Hangs' "$hang_out" && grep -q 'RestartProbe: hanging' "$hang_err"; }
hang_printed_or_ended() { hang_printed || ! kill -0 "$hang_pid" 2>/dev/null; }
_wine_env_wait 60 hang_printed_or_ended
shown=no
kill -0 "$hang_pid" 2>/dev/null && hang_printed && shown=yes
touch "$hang_starts.release"
wait "$hang_pid"
hang_rc=$?
if [ $shown = yes ] && [ $hang_rc -eq 1 ] && [ ! -e "$work/hang.log" ]; then
    echo "ok     hangs: stdout and stderr came out while it ran, exit code $hang_rc"
else
    failed=1
    echo "FAILED hangs: shown while running: $shown, exit code $hang_rc"
    sed 's/^/    stdout: /' "$hang_out"; sed 's/^/    stderr: /' "$hang_err"
fi
# The runner's own start of a test (exit code 125): started once more only when it was a fresh
# prefix copy whose desktop did not come up, as tools/wine-fresh-run reports it; nothing of the
# test ran then.
runner_case() { # NAME WANT_STARTS WANT_RC WANT_LOG FIRST_ERR
    local name=$1 want_starts=$2 want_rc=$3 want_log=$4 first_err=$5 rc starts log
    printf '0' >"$work/$name.n"
    fake_start() {
        local n=$(( $(cat "$work/$name.n") + 1 ))
        printf '%s' "$n" >"$work/$name.n"
        if [ "$n" -eq 1 ]; then echo "$first_err" >&2; return 125; fi
        echo "[  PASSED  ] 1 test."
    }
    TIVEN_RESTART_LOG="$work/$name.log" run_restarting fake_start probe.exe --gtest_filter=A.B \
        >"$work/$name.out" 2>"$work/$name.err"
    rc=$?
    starts=$(cat "$work/$name.n")
    log=$(cat "$work/$name.log" 2>/dev/null)
    if [ "$rc" -eq "$want_rc" ] && [ "$starts" -eq "$want_starts" ] && [ "$log" = "$want_log" ]; then
        echo "ok     $name: $starts start(s), exit code $rc${log:+, logged as '$log'}"
    else
        failed=1
        echo "FAILED $name: $starts start(s), exit code $rc, log '$log'"
        sed 's/^/    stderr: /' "$work/$name.err"
    fi
}
runner_case desktop-did-not-come-up 2 0 "its prefix copy's desktop did not come up: probe.exe --gtest_filter=A.B (exit code 125)" \
    "wine-env: the desktop of /x/copy.1 did not come up: desktop-hold: the desktop process did not start"
runner_case runner-failed 1 125 "" "wine-fresh-run: no fresh prefix at /x (the fixture test makes it)"
# The harness's summary line counts the starts once more by kind, in the order they came.
printf '%s\n' "X error: a.exe (exit code 1)" "died before its main: b.exe (exit code 5)" \
    "X error: c.exe (exit code 1)" >"$work/summary.log"
summary=$(restart_summary "$work/summary.log")
if [ "$summary" = "3 test processes started again: 2 X error, 1 died before its main" ]; then
    echo "ok     summary: $summary"
else
    failed=1; echo "FAILED summary: '$summary'"
fi
exit $failed
