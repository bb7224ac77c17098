#!/usr/bin/env bash
# The main job: sets up, builds the deliverables into dist/ and runs them under
# Wine: natively, or under the emulator where the kernel runs no 32-bit programs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/wine-env.sh
bash scripts/setup.sh

cmake -S . -B build -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build build -j "$(nproc)" --target all chart_viewer_demo
echo "Deliverables:"; ls -l dist/
echo "32-bit programs run here: $(i386_runner)"

prefix="$root/build/wineprefix"
tests/wine-run.sh --start "$prefix"
tests/wine-run.sh "$prefix" build/list_exports.exe "Z:$root/dist/TdLib.dll"
# What the kit is for: a generated chart written by the library, read back
# through its exports and drawn by the chart viewer into PNG files.
echo "Chart viewer demo:"
mkdir -p "$root/build/demo"
# Under the emulator Wine's server may kill a program that is still exiting a
# second after it asked to end: there the demo's last line says it succeeded.
demo=0
tests/wine-run.sh "$prefix" build/tests/chart_viewer_demo.exe "Z:$root/build/demo" \
  | tee build/demo/output.txt || demo=$?
if [ "$demo" = 137 ] && grep -q "ran to its end" build/demo/output.txt; then demo=0; fi
[ "$demo" = 0 ] || echo "The chart viewer demo failed with exit code $demo"

# Portelle -V ends at once with its packed version (a byte each, major first)
# as exit code; cmd reads the whole code, the shell would keep the low byte.
version_of() {  # packed version -> a.b.c.d
  echo "$(($1 >> 24 & 255)).$(($1 >> 16 & 255)).$(($1 >> 8 & 255)).$(($1 & 255))"
}
expected=$(i686-w64-mingw32-windres -i dist/Portelle.exe -O rc 2>/dev/null \
  | sed -n 's/^ *FILEVERSION *\([0-9]*\), *\([0-9]*\), *\([0-9]*\), *\([0-9]*\).*/\1.\2.\3.\4/p')
packed=$( (tests/wine-run.sh "$prefix" cmd /v:on /c "Z:$root/dist/Portelle.exe -V & echo !errorlevel!" || true) \
  | tr -d '\r' | tail -n 1)
[[ "$packed" =~ ^[0-9]+$ ]] || packed=0
got=$(version_of "$packed")
tests/wine-run.sh --stop "$prefix"
if [ "$got" = "$expected" ]; then
  echo "Portelle.exe -V answered version $got, as its version resource says."
else
  echo "Portelle.exe -V answered $packed (version $got); its version resource says $expected."
  exit 1
fi
exit "$demo"
