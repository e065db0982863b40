#!/usr/bin/env bash
# Sets up everything and runs every test: tools/test.sh [ctest arguments...]
#   Installs missing packages and builds both architectures, then runs the whole ctest suite
#   twice: first the i686 build (the suite's target) in a 32-bit prefix with the i686 stand-in
#   drivers, then the x86_64 build in a 64-bit prefix with the x86_64 stand-ins. Each build
#   folder keeps its own prefix, display and wineserver, stopped again when its run ends.
#   A failure in either run fails the whole; the output ends with both summaries.
# TIVEN_ARCHS="x86_64" (or "i686") builds and runs one of them alone while iterating.
# TIVEN_BUILD_DIR is the folder that holds the build folders (default: build).
# On a machine whose kernel cannot execute 32-bit programs (a PVM guest, a kernel without IA32
# emulation), 32-bit Wine cannot start: the summary then says that the i686 run was not run and
# why; TIVEN_REQUIRE_I686=1 makes that a failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
top=${TIVEN_BUILD_DIR:-$root/build}
archs=${TIVEN_ARCHS:-i686 x86_64}
"$root/tools/deps.sh"
for arch in $archs; do
    "$root/tools/build.sh" "$arch" "$top/$arch"
done

. "$root/tools/wine-env.sh"

# run_suite ARCH LOG: one architecture's ctest run in its own prefix; returns ctest's status.
run_suite() {
    local arch=$1 log=$2 build="$top/$1"
    (
        trap wine_env_down EXIT
        wine_env_up "$build"
        if [ -f "$build/bin/rilo.sys" ]; then
            wine_env_standins "$build"
        fi
        # The simulated serial controller behind COM2; if it cannot start, its tests fail.
        wine_env_serialsim "$build" COM2 || true
        cd "$build"
        ctest --output-on-failure -j"${TIVEN_JOBS:-8}" "${ctest_args[@]}"
    ) 2>&1 | tee "$log"
    return "${PIPESTATUS[0]}"
}

ctest_args=("$@")
status=0
summaries=()
for arch in $archs; do
    log="$top/$arch/ctest-run.log"
    if [ "$arch" = i686 ] && ! wine_env_can_run_i686; then
        summaries+=("i686 (32-bit prefix): NOT RUN: this machine's kernel cannot execute 32-bit programs, so 32-bit Wine cannot start")
        [ "${TIVEN_REQUIRE_I686:-}" = 1 ] && status=1
        continue
    fi
    echo "=== $arch: ctest in a $([ "$arch" = i686 ] && echo 32 || echo 64)-bit prefix ==="
    rc=0
    run_suite "$arch" "$log" || rc=$?
    [ $rc -eq 0 ] || status=1
    result=$(grep -E 'tests passed|No tests were found' "$log" | tail -n 1 || true)
    failed=$(sed -n '/^The following tests FAILED:/,$p' "$log" | grep -E '^\s+[0-9]+ - ' || true)
    summaries+=("$arch ($([ "$arch" = i686 ] && echo 32 || echo 64)-bit prefix): ${result:-no ctest summary (exit $rc)}${failed:+$'\n'$failed}")
done

echo
echo "=== summary ==="
for s in "${summaries[@]}"; do echo "$s"; done
exit $status
