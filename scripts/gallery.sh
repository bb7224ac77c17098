#!/usr/bin/env bash
# Builds the widget gallery and paints its scenes into build/gallery/ as PNG
# files, headless under Wine. Usage: bash scripts/gallery.sh [WIDTH HEIGHT]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$root/build" -j3 --target widget_gallery
prefix="$root/build/wineprefix"
"$root/tests/wine-run.sh" --start "$prefix"
mkdir -p "$root/build/gallery"
"$root/tests/wine-run.sh" "$prefix" "$root/build/tests/widget_gallery.exe" "Z:$root/build/gallery" "$@" 2>/dev/null
"$root/tests/wine-run.sh" --stop "$prefix"
