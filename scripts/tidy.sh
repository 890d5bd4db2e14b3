#!/usr/bin/env bash
# Runs clang-tidy with the checks of .clang-tidy over the product's sources,
# using the compile commands of a build (build/release by default, which
# scripts/build.sh makes).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
[ -f "$build/compile_commands.json" ] || scripts/build.sh
git ls-files 'app/*.cpp' 'ui/*.cpp' 'link/*.cpp' 'commands/*.cpp' 'res/*.cpp' 'toolkit/*.cpp' 'vaiboclient/*.cpp' \
    'protocol/*.cpp' 'virtualrobot/*.cpp' \
    | xargs -P "$(nproc)" -n 4 clang-tidy-14 --quiet -p "$build"
echo "tidy: no findings"
