#!/usr/bin/env bash
# Sets up everything and runs every test: tools/test.sh [ctest arguments...]
#   Installs missing packages, builds both architectures side by side, then runs the whole ctest
#   suite of both side by side: the i686 build (the suite's target) in 32-bit prefixes with the
#   i686 stand-in drivers, the x86_64 build in 64-bit prefixes with the x86_64 stand-ins. Each
#   architecture keeps its own prefixes, displays and wineservers, stopped again when its run ends,
#   and its own logs (BUILD/ARCH/build.log, BUILD/ARCH/ctest-run.log). Both logs are printed one
#   after the other when both runs have ended, then both summaries; a failure in either fails the
#   whole.
# TIVEN_ARCHS="x86_64" (or "i686") builds and runs one of them alone while iterating.
# TIVEN_BUILD_DIR is the folder that holds the build folders (default: build).
# TIVEN_SHARDS (default 4) is the number of prefixes per architecture: tests that need a prefix
#   to themselves (display, stand-ins, prefix registry, tray) run one per prefix, side by side.
#   TIVEN_SHARDS=1 runs them one at a time in one prefix, under CTest's resource locks.
# TIVEN_JOBS (default 8) is CTest's parallel level per architecture.
# On a machine whose kernel cannot execute 32-bit programs (a PVM guest, a kernel without IA32
# emulation), 32-bit Wine cannot start: the summary then says that the i686 run was not run and
# why; TIVEN_REQUIRE_I686=1 makes that a failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
top=${TIVEN_BUILD_DIR:-$root/build}
archs=${TIVEN_ARCHS:-i686 x86_64}
shards=${TIVEN_SHARDS:-4}
"$root/tools/deps.sh"

. "$root/tools/wine-env.sh"
. "$root/tools/restart-rule.sh"

prefix_bits() { [ "$1" = i686 ] && echo 32 || echo 64; }

# Builds, side by side; each one's output goes to its own log, shown when it fails.
declare -A build_pid
for arch in $archs; do
    mkdir -p "$top/$arch"
    "$root/tools/build.sh" "$arch" "$top/$arch" >"$top/$arch/build.log" 2>&1 &
    build_pid[$arch]=$!
done
built=()
status=0
summaries=()
for arch in $archs; do
    if wait "${build_pid[$arch]}"; then
        echo "=== $arch: built (log: $top/$arch/build.log)"
        built+=("$arch")
    else
        echo "=== $arch: the build failed; the end of $top/$arch/build.log:"
        tail -n 60 "$top/$arch/build.log"
        summaries+=("$arch ($(prefix_bits "$arch")-bit prefix): BUILD FAILED")
        status=1
    fi
done

# run_suite ARCH: one architecture's ctest run in its own prefixes; returns ctest's status.
run_suite() (
    local arch=$1 build="$top/$1" k
    trap wine_env_down EXIT
    export TIVEN_RESTART_LOG="$build/restarts.log"
    rm -f "$TIVEN_RESTART_LOG"
    wine_env_up "$build" "$shards"
    if [ -f "$build/bin/rilo.sys" ]; then
        wine_env_each_shard wine_env_standins "$build"
    fi
    # The simulated serial controller behind COM2 of every shard; if it cannot start, its tests
    # fail.
    for k in $(seq 1 "$shards"); do
        wine_env_each_shard_one "$k" wine_env_serialsim "$build" COM2 || true
    done
    # One slot per shard: a test that takes a shard has its prefix to itself (cmake/Defaults.cmake).
    local spec="$build/shards/resources.json" ids=""
    for k in $(seq 1 "$shards"); do ids="$ids${ids:+,}{\"id\":\"$k\",\"slots\":1}"; done
    printf '{"version":{"major":1,"minor":0},"local":[{"shard":[%s]}]}\n' "$ids" >"$spec"
    cd "$build"
    ctest --output-on-failure -j"${TIVEN_JOBS:-8}" --resource-spec-file "$spec" "${ctest_args[@]}"
)

ctest_args=("$@")
declare -A run_pid
ran=()
for arch in "${built[@]}"; do
    if [ "$arch" = i686 ] && ! wine_env_can_run_i686; then
        summaries+=("i686 (32-bit prefix): NOT RUN: this machine's kernel cannot execute 32-bit programs, so 32-bit Wine cannot start")
        [ "${TIVEN_REQUIRE_I686:-}" = 1 ] && status=1
        continue
    fi
    echo "=== $arch: ctest in $shards $(prefix_bits "$arch")-bit prefixes (log: $top/$arch/ctest-run.log)"
    run_suite "$arch" >"$top/$arch/ctest-run.log" 2>&1 &
    run_pid[$arch]=$!
    ran+=("$arch")
done

passed=0 failed=0
for arch in "${ran[@]}"; do
    rc=0
    wait "${run_pid[$arch]}" || rc=$?
    [ $rc -eq 0 ] || status=1
    log="$top/$arch/ctest-run.log"
    echo
    echo "=== $arch: ctest output (exit $rc)"
    cat "$log"
    result=$(grep -E 'tests passed|No tests were found' "$log" | tail -n 1 || true)
    failures=$(sed -n '/^The following tests FAILED:/,$p' "$log" | grep -E '^\s+[0-9]+ - ' || true)
    wall=$(sed -n 's/^Total Test time (real) = *//p' "$log" | tail -n 1)
    restarts=$(restart_summary "$top/$arch/restarts.log")
    summaries+=("$arch ($(prefix_bits "$arch")-bit prefix): ${result:-no ctest summary (exit $rc)}${wall:+, ctest $wall}${restarts:+, $restarts ($top/$arch/restarts.log)}${failures:+$'\n'$failures}")
    if [[ $result =~ ([0-9]+)\ tests\ failed\ out\ of\ ([0-9]+) ]]; then
        failed=$((failed + BASH_REMATCH[1]))
        passed=$((passed + BASH_REMATCH[2] - BASH_REMATCH[1]))
    fi
done

echo
echo "=== summary ==="
for s in "${summaries[@]}"; do echo "$s"; done
echo "total: $passed passed, $failed failed"
exit $status
