#!/usr/bin/env bash
# Sets up, builds and runs every test: the Windows code under Wine and the native twin.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/wine-env.sh
jobs=$(nproc)

bash scripts/setup.sh

build() {  # build-dir, cmake arguments...
  local dir=$1; shift
  cmake -S . -B "$dir" "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}

status=0
build build -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
if machine_runs_i386; then
  # The product itself runs here: its tests are the Windows tests.
  (cd build && ctest --output-on-failure) || status=1
else
  echo "This kernel runs no 32-bit programs: the Windows tests run from the x86-64 build of the same code."
  build build-win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
  (cd build-win64 && ctest --output-on-failure) || status=1
fi
CC=clang CXX=clang++ build build-native -DTDLIB_NATIVE=ON
(cd build-native && ctest --output-on-failure) || status=1
exit $status
