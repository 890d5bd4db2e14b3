#!/usr/bin/env bash
# Installs what is missing, builds everything with the tests, and runs every
# test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build test
export QT_QPA_PLATFORM=offscreen
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build build/test
ctest --test-dir build/test --output-on-failure --timeout 300
