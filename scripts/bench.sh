#!/usr/bin/env bash
# Builds the native twin without sanitizers and runs every benchmark;
# arguments go to each benchmark program (e.g. --benchmark_filter=decode).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh scripts/bench-packages.txt
CC=clang CXX=clang++ cmake -S . -B build-bench -DTDLIB_NATIVE=ON -DTDLIB_SANITIZE=OFF -DTDLIB_BENCH=ON >/dev/null
cmake --build build-bench -j "$(nproc)" --target benchmarks
for bench in build-bench/bench/*_bench; do
  "$bench" "$@"
done

# The list view needs GDI: its timing program is a Windows program run under
# Wine, and only where 32-bit programs run natively (the emulator's times say
# nothing).
source scripts/wine-env.sh
if [ "$(i386_runner)" = native ]; then
  cmake -S . -B build -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
  cmake --build build -j "$(nproc)" --target listview_timing
  prefix="$root/build/wineprefix"
  tests/wine-run.sh --start "$prefix"
  tests/wine-run.sh "$prefix" build/bench/listview_timing.exe 2>/dev/null
  tests/wine-run.sh --stop "$prefix"
fi
