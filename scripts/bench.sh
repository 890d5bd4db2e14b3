#!/usr/bin/env bash
# Builds the benchmarks optimised and runs them all, printing their figures.
# They measure time: run them on a quiet machine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build test bench
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVAN_BUILD_BENCHMARKS=ON
cmake --build build/bench --target benchmarks
export QT_QPA_PLATFORM=offscreen
for benchmark in build/bench/bench/*/bench_*; do
    echo "== ${benchmark##*/}"
    "$benchmark"
done
