#!/usr/bin/env bash
# Builds the benchmarks optimised and runs them all, printing their figures.
# They measure time: run them on a quiet machine.
#   scripts/bench.sh                 every benchmark, full length
#   scripts/bench.sh --short [DIR]   each one briefly, in the build DIR
#                                    (build/bench by default), as CI does
set -euo pipefail
cd "$(dirname "$0")/.."
mode=()
build=build/bench
if [ "${1:-}" = "--short" ]; then
    mode=(--short)
    build=${2:-$build}
fi
if [ "$build" = build/bench ]; then
    scripts/install-deps.sh build test bench
    cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORVAN_BUILD_BENCHMARKS=ON
fi
cmake --build "$build" --target benchmarks
export QT_QPA_PLATFORM=offscreen
# Only the programs: the build also makes folders named after them.
mapfile -t benchmarks < <(find "$build/bench" -mindepth 2 -maxdepth 2 -type f -name 'bench_*' -perm -u+x | sort)
[ ${#benchmarks[@]} -gt 0 ] || { echo "bench: no benchmark programs in $build/bench" >&2; exit 1; }
for benchmark in "${benchmarks[@]}"; do
    echo "== ${benchmark##*/} ${mode[*]}"
    start=$SECONDS
    "$benchmark" "${mode[@]}"
    echo "== ${benchmark##*/}: $((SECONDS - start)) s"
done
