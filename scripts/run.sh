#!/usr/bin/env bash
# The main job: sets up, builds the deliverables into dist/ and runs them under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/wine-env.sh
bash scripts/setup.sh

cmake -S . -B build -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build build -j "$(nproc)"
echo "Deliverables:"; ls -l dist/

build=build
dll="$root/dist/TdLib.dll"
if ! machine_runs_i386; then
  # Only 64-bit Wine runs here: show the x86-64 build of the same library.
  echo "This kernel runs no 32-bit programs; loading the x86-64 build of TdLib instead."
  cmake -S . -B build-win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null
  cmake --build build-win64 -j "$(nproc)" --target TdLib list_exports
  build=build-win64
  dll="$root/build-win64/dist/TdLib.dll"
  export TDLIB_WINE_LOADER=/usr/lib/wine/wine64
fi
prefix="$root/$build/wineprefix"
tests/wine-run.sh --start "$prefix"
tests/wine-run.sh "$prefix" "$build/list_exports.exe" "Z:$dll"
tests/wine-run.sh --stop "$prefix"
