#!/usr/bin/env bash
# Builds the panel and the virtual robot, optimised and without tests, into
# build/release; more targets may be named.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build build/release --target korvan korvan-virtual-robot "$@"
