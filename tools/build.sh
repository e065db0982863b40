#!/usr/bin/env bash
# Configures and builds one architecture: tools/build.sh [x86_64|i686] [build-dir]
# TIVEN_TARGETS="a b" builds only those targets (for work on one area while others change).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=${1:-x86_64}
dir=${2:-$root/build/$arch}
werror=${TIVEN_WERROR:-OFF}; [ -n "${CI:-}" ] && werror=ON
# CI builds without debug information (Release: the same -O2 code as RelWithDebInfo, CMakeLists.txt)
# and compiles each test program's sources as one (TIVEN_UNITY_TESTS, cmake/Defaults.cmake).
build_type=RelWithDebInfo unity=OFF; [ -n "${CI:-}" ] && build_type=Release unity=ON
# ccache (installed by tools/deps.sh) keeps compiled objects across build folders and clones;
# paths below the repository root are hashed relative to it, so another checkout hits too. In its
# depend mode a miss takes the headers from the compiler's dependency file (CMake has it write
# one) instead of running the preprocessor a second time: a build with an empty cache costs a
# sixth less.
launcher=()
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1 CCACHE_DEPEND=1
fi
if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch.cmake" \
          -DTIVEN_WERROR=$werror -DCMAKE_BUILD_TYPE=$build_type -DTIVEN_UNITY_TESTS=$unity \
          "${launcher[@]}" >/dev/null
fi
targets=()
for t in ${TIVEN_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$dir" -j"$(nproc)" "${targets[@]}" -- --no-print-directory
