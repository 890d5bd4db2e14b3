#!/bin/bash
# Non-blank lines of the tests against those of the product: every file git
# tracks in tests/ and in every other folder but bench/, without data (the
# content catalogue, the fuzzers' corpus, pictures).
set -euo pipefail
cd "$(dirname "$0")/.."

count() {
    git ls-files -- "$@" | grep -vE '(^commands/catalogue\.txt|/corpus/.*|\.png)$' |
        xargs cat | grep -cv '^[[:space:]]*$'
}

tests=$(count tests)
product=$(count app ui link commands res toolkit vaiboclient protocol virtualrobot scripts docs .ci CMakeLists.txt)
echo "product: $product lines"
echo "tests:   $tests lines"
awk -v t="$tests" -v p="$product" 'BEGIN { printf "ratio:   %.2f\n", t / p }'
