#!/usr/bin/env bash
# Builds the native twin without sanitizers and runs every benchmark;
# arguments go to each benchmark program (e.g. --benchmark_filter=decode).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh
CC=clang CXX=clang++ cmake -S . -B build-bench -DTDLIB_NATIVE=ON -DTDLIB_SANITIZE=OFF >/dev/null
cmake --build build-bench -j "$(nproc)"
for bench in build-bench/bench/*_bench; do
  "$bench" "$@"
done
