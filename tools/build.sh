#!/usr/bin/env bash
# Configures and builds one architecture: tools/build.sh [x86_64|i686] [build-dir]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=${1:-x86_64}
dir=${2:-$root/build/$arch}
werror=OFF; [ -n "${CI:-}" ] && werror=ON
if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch.cmake" \
          -DTIVEN_WERROR=$werror -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$dir" -j"$(nproc)" -- --no-print-directory
