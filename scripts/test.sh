#!/usr/bin/env bash
# Sets up, builds and runs every test: the i686 product under Wine (natively or
# under the emulator, see wine-env.sh) and the native twin.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/wine-env.sh
jobs=$(nproc)

bash scripts/setup.sh

# Objects that earlier builds on this machine compiled come from ccache.
export CCACHE_BASEDIR=$root
launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

build() {  # build-dir, cmake arguments...
  local dir=$1; shift
  cmake -S . -B "$dir" "${launcher[@]}" "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}

status=0
echo "32-bit programs run here: $(i386_runner)"
build build -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
(cd build && ctest --output-on-failure) || status=1
CC=clang CXX=clang++ build build-native -DTDLIB_NATIVE=ON
(cd build-native && ctest --output-on-failure) || status=1
exit $status
