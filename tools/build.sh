#!/usr/bin/env bash
# Configures and builds one architecture: tools/build.sh [x86_64|i686] [build-dir]
# TIVEN_TARGETS="a b" builds only those targets (for work on one area while others change).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=${1:-x86_64}
dir=${2:-$root/build/$arch}
werror=${TIVEN_WERROR:-OFF}; [ -n "${CI:-}" ] && werror=ON
if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch.cmake" \
          -DTIVEN_WERROR=$werror -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
targets=()
for t in ${TIVEN_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$dir" -j"$(nproc)" "${targets[@]}" -- --no-print-directory
