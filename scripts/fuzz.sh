#!/usr/bin/env bash
# Builds the fuzzers with clang and runs each for the given seconds (60 by
# default), starting from its seed corpus in tests/fuzz/corpus and the
# inputs earlier runs found. A crash stops the script with its input saved
# in build/fuzz/findings.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
scripts/install-deps.sh build test

CC=clang-14 CXX=clang++-14 cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBUILD_TESTING=OFF -DKORVAN_BUILD_FUZZERS=ON
cmake --build build/fuzz --target fuzzers

export QT_QPA_PLATFORM=offscreen
mkdir -p build/fuzz/findings
for target in addressmemory decoder control jpeg; do
    found=build/fuzz/corpus/$target
    mkdir -p "$found"
    log=build/fuzz/$target.log
    status=0
    build/fuzz/tests/fuzz/fuzz_$target -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix=build/fuzz/findings/$target- "$found" tests/fuzz/corpus/$target > "$log" 2>&1 || status=$?
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$log"
        echo "fuzz: $target failed (status $status); its input is in build/fuzz/findings" >&2
        exit 1
    fi
    echo "fuzz: $target: $(grep -E '^stat::number_of_executed_units' "$log" | grep -oE '[0-9]+$') runs in $seconds s, no fault"
done
