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
# The Windows programs spend most of their time waiting for Wine (and, under
# the emulator, for the processes it starts): they run side by side, and
# beside the native twin's build and tests. Their report follows the twin's.
# At most four at once: more only load the emulator, which then falters.
(cd build && ctest -j "$((jobs < 4 ? jobs : 4))" --output-on-failure >ctest.log 2>&1) &
windows=$!
CC=clang CXX=clang++ build build-native -DTDLIB_NATIVE=ON
(cd build-native && ctest -j "$jobs" --output-on-failure) || status=1
wait $windows || status=1
cat build/ctest.log
exit $status
