#!/usr/bin/env bash
# Builds the widget gallery and paints its scenes into build/gallery/ as PNG
# files, headless under Wine.
#   bash scripts/gallery.sh [WIDTH HEIGHT]   headless (null graphics driver)
#   bash scripts/gallery.sh --live           X11 driver under Xvfb at 240 x 320
#     and 320 x 240 in a second prefix; adds screenshots (<scene>_screen.png)
#     into build/gallery/live-WxH/
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$root/build" -j3 --target widget_gallery
exe="$root/build/tests/widget_gallery.exe"

if [ "${1:-}" != --live ]; then
  prefix="$root/build/wineprefix"
  "$root/tests/wine-run.sh" --start "$prefix"
  mkdir -p "$root/build/gallery"
  "$root/tests/wine-run.sh" "$prefix" "$exe" "Z:$root/build/gallery" "$@" 2>/dev/null
  "$root/tests/wine-run.sh" --stop "$prefix"
  exit 0
fi

prefix="$root/build/wineprefix-x11"
wine_env "$prefix"
if [ ! -f "$prefix/.tdlib-x11-ready" ]; then
  mkdir -p "$prefix"
  "$WINE" wineboot -i >/dev/null 2>&1 </dev/null
  "$WINE" "C:\\windows\\system32\\reg.exe" add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11 /f >/dev/null 2>&1 </dev/null
  wineserver -w
  touch "$prefix/.tdlib-x11-ready"
fi
for size in 240x320 320x240; do
  out="$root/build/gallery/live-$size"
  mkdir -p "$out"
  xvfb-run -a -s "-screen 0 ${size}x24" \
    "$WINE" "$exe" "Z:$out" "${size%x*}" "${size#*x}" --screen </dev/null 2>/dev/null
  wineserver -w
done
