# Sourced by tools/wine-run, tools/wine-fresh-run and tools/test.sh: when a test process is
# started once more, and how those starts are counted. A test process is started again only when
# it died of one of Wine's own failures, told by what it left in its output; a test that fails
# after it started is never repeated, and no test is started more than twice.
#   run_restarting START ARGS...  runs START ARGS (a command or a function: one start of the
#                                 test process), passing its stdout and stderr on; when it failed
#                                 with one of the kinds below, runs it once more. Returns the
#                                 exit code of the last start. A start that returns 125 could not
#                                 be made (the runner's own failure) and is not repeated, but for
#                                 a fresh prefix copy whose desktop did not come up.
#   restart_kind RC OUT ERR       the kind of death of a start that ended with exit code RC and
#                                 printed OUT and ERR (files), or nothing when it failed on its own
#   restart_summary LOG           "N test processes started again: n1 KIND1, n2 KIND2" for the
#                                 restarts LOG ($TIVEN_RESTART_LOG) names, or nothing
# Each start once more is one line "KIND: COMMAND (exit code RC)" in $TIVEN_RESTART_LOG: CTest
# shows the output of passed tests nowhere, so the harness counts them from there.

restart_kind() {
    local rc=$1 out=$2 err=$3
    # The runner could not start the test (125). Once so far, Wine's explorer did not start in a
    # new copy of the fresh prefix: nothing of the test ran, and the start once more gets a new
    # copy (tools/wine-fresh-run, which names the copy). Any other 125 is the runner's failure.
    if [ "$rc" -eq 125 ]; then
        grep -q '^wine-env: the desktop of .* did not come up' "$err" && echo "its prefix copy's desktop did not come up"
        return 0
    fi
    # Xlib's default error handler: Wine's X11 driver hands it an X error it did not expect (one
    # of its requests named a window of a connection that had closed, see docs/wine.md), and it
    # prints the error and ends the process with exit(1), also before anything else was printed.
    if grep -q 'X Error of failed request' "$out" "$err"; then
        echo "X error"
    # A program the test started ended inside Wine's start of it, before any of its own code ran:
    # Wine reports that as ERROR_INTERNAL_ERROR (1359) when the new process died with exit code 0
    # before it was set up, as one does that a crash in Wine's Unix code ends. The test support
    # names the error (TestProcess::Start); no other failure to start a program is repeated.
    elif grep -qE 'TestProcess: CreateProcess of .* failed with error 1359([^0-9]|$)' "$out" "$err"; then
        echo "a program it started died in Wine's start"
    # Test programs print unbuffered from the start of main, so a failure with no output at all
    # happened while Wine was still starting the process.
    elif [ ! -s "$out" ]; then
        echo "died before its main"
    # Killed by SIGSEGV (Unix exit code 139) in Wine's own Unix code after the test program
    # printed a passing result: a crash in Windows code ends with 0xc0000005 instead.
    elif [ "$rc" -eq 139 ] && grep -q '^\[  PASSED  \]' "$out" && ! grep -q '^\[  FAILED  \]' "$out"; then
        echo "exit 139 after its result"
    fi
}

run_restarting() {
    local out err rc attempt kind
    out=$(mktemp) && err=$(mktemp) || return 125
    for attempt in 1 2; do
        # stdout and stderr go on as they come, each also into a file: a test that CTest ends at
        # its time-out still shows what it printed. The stderr copy has ended when the subshell
        # does ($! is the process substitution).
        ( "$@" 2> >(tee "$err" >&2); rc=$?; wait $! 2>/dev/null; exit $rc ) | tee "$out"
        rc=${PIPESTATUS[0]}
        [ $rc -eq 0 ] && break
        # A program that dies early says nothing itself; its exit code (an NTSTATUS for a crash)
        # does.
        printf '%s: %s ended with exit code %d (0x%08x)\n' "${0##*/}" "${2##*/}" "$rc" "$rc" >&2
        [ "$attempt" -eq 2 ] && break
        kind=$(restart_kind "$rc" "$out" "$err")
        [ -n "$kind" ] || break
        echo "${0##*/}: $kind; starting it once more" >&2
        [ -n "${TIVEN_RESTART_LOG:-}" ] && echo "$kind: ${*:2} (exit code $rc)" >>"$TIVEN_RESTART_LOG"
    done
    rm -f "$out" "$err"
    return $rc
}

restart_summary() {
    [ -s "$1" ] || return 0
    awk '{ kind = $0; sub(/: .*/, "", kind); if (!(kind in n)) order[++kinds] = kind; n[kind]++; total++ }
         END { printf "%d test process%s started again:", total, total == 1 ? "" : "es"
               for (i = 1; i <= kinds; i++) printf "%s %d %s", i == 1 ? "" : ",", n[order[i]], order[i]
               print "" }' "$1"
}
