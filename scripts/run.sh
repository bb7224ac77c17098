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
  cmake --build build-win64 -j "$(nproc)" --target TdLib list_exports Portelle chart_viewer_demo
  build=build-win64
  dll="$root/build-win64/dist/TdLib.dll"
  export TDLIB_WINE_LOADER=/usr/lib/wine/wine64
fi
prefix="$root/$build/wineprefix"
cmake --build "$build" -j "$(nproc)" --target chart_viewer_demo
tests/wine-run.sh --start "$prefix"
tests/wine-run.sh "$prefix" "$build/list_exports.exe" "Z:$dll"
# What the kit is for: a generated chart written by the library, read back
# through its exports and drawn by the chart viewer into PNG files.
echo "Chart viewer demo:"
mkdir -p "$root/build/demo"
demo=0
tests/wine-run.sh "$prefix" "$build/tests/chart_viewer_demo.exe" "Z:$root/build/demo" || demo=$?
[ "$demo" = 0 ] || echo "The chart viewer demo failed with exit code $demo"
# Portelle answers -V at once with its packed version as exit code (the shell
# keeps the low 8 bits); without it, it opens its window.
code=0
tests/wine-run.sh "$prefix" "$(dirname "$dll")/Portelle.exe" -V || code=$?
echo "Portelle.exe -V ended with exit code $code"
tests/wine-run.sh --stop "$prefix"
exit "$demo"
