#!/bin/bash
# Non-blank lines of code in the tests against those of the product: C++,
# CMake, shell and templates that git tracks, in tests/ and in every other
# folder but bench/ and docs/.
set -euo pipefail
cd "$(dirname "$0")/.."

count() {
    git ls-files -- "$@" | grep -E '\.(cpp|h|in|sh|cmake)$|CMakeLists\.txt$' | xargs cat | grep -cv '^[[:space:]]*$'
}

tests=$(count tests)
product=$(count . ':!tests' ':!bench' ':!docs')
echo "product: $product lines"
echo "tests:   $tests lines"
awk -v t="$tests" -v p="$product" 'BEGIN { printf "ratio:   %.2f\n", t / p }'
