#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer,
# UndefinedBehaviorSanitizer and LeakSanitizer, runs every test headless,
# then runs each fuzzer for a short while (KORVAN_FUZZ_SECONDS, 15 s each)
# and each benchmark's short run, so that none of them rots unnoticed; then
# cross-builds for Windows and runs those tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build test bench
# Every listed fault must still match the source it is put into.
scripts/mutate.sh --check

# The first report of any sanitizer fails the program that made it, the
# robot and panel processes the end-to-end tests start included.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=-O1 \
    -DKORVAN_SANITIZE=ON -DKORVAN_BUILD_BENCHMARKS=ON -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build build/test
ctest --test-dir build/test --output-on-failure --timeout 300

scripts/fuzz.sh "${KORVAN_FUZZ_SECONDS:-15}"
scripts/bench.sh --short build/test

# The Windows build of everything below the window, its tests under Wine.
scripts/test-windows.sh
