#!/usr/bin/env bash
# Sets up everything and runs every test: tools/test.sh [ctest arguments...]
#   installs missing packages, builds x86_64 and i686, prepares the Wine prefix, Xvfb and
#   wineserver under build/x86_64, runs ctest there, and stops what it started.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TIVEN_BUILD_DIR:-$root/build/x86_64}
"$root/tools/deps.sh"
"$root/tools/build.sh" x86_64 "$build"
[ -n "${TIVEN_SKIP_I686:-}" ] || "$root/tools/build.sh" i686 "${build%/*}/i686"

. "$root/tools/wine-env.sh"
trap wine_env_down EXIT
wine_env_up "$build"
if [ -x "$root/tools/standins.sh" ] && [ -f "$build/bin/rilo.sys" ]; then
    "$root/tools/standins.sh" start "$build/bin"
fi
cd "$build"
ctest --output-on-failure -j"${TIVEN_JOBS:-8}" "$@"
