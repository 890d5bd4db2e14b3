#!/bin/bash
# Puts each fault listed in tests/mutants.txt into the source, one at a time,
# builds, runs the test suite and restores the source; prints whether the
# suite caught each fault. A fault that no longer applies (its line changed)
# stops the run, so the list is kept true to the code.
#
#   scripts/mutate.sh            every fault
#   scripts/mutate.sh PATTERN    the faults whose name contains PATTERN
#   scripts/mutate.sh --check    only check that every fault applies
# KORVAN_MUTATE_BUILD names the build directory (build/mutate by default).
set -euo pipefail
cd "$(dirname "$0")/.."

list=tests/mutants.txt
build=${KORVAN_MUTATE_BUILD:-build/mutate}
jobs=$(nproc)
separator=' @@ '

faults=()
while IFS= read -r line; do
    [[ -z $line || $line == \#* ]] && continue
    faults+=("$line")
done <"$list"

field() { # field N LINE
    local rest=$2 i
    for ((i = 1; i < $1; ++i)); do rest=${rest#*"$separator"}; done
    printf '%s' "${rest%%"$separator"*}"
}

check() { # check LINE: the fault's text is on exactly one line of its file
    local file original count
    file=$(field 2 "$1")
    original=$(field 3 "$1")
    count=$(grep -cF -- "$original" "$file" || true)
    if [[ $count != 1 ]]; then
        echo "mutate: '$(field 1 "$1")': its text is on $count lines of $file, not one" >&2
        return 1
    fi
}

for fault in "${faults[@]}"; do check "$fault"; done
[[ ${1:-} == --check ]] && { echo "${#faults[@]} faults, each applies"; exit 0; }

# A build of the developer's own may be named instead; a new one is Release.
if [[ ! -f $build/CMakeCache.txt ]]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON >/dev/null
fi
log=$build/mutate.log
suite() {
    cmake --build "$build" -j"$jobs" >"$log" 2>&1 || return 2
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" -j"$jobs" --stop-on-failure --timeout 120 >>"$log" 2>&1
}
if ! suite; then
    echo "mutate: the suite fails without any fault; see $log" >&2
    exit 1
fi

backup=$build/mutant.orig
file=
restore() {
    if [[ -n $file ]]; then cp "$backup" "$file"; fi
    file=
}
trap restore EXIT INT TERM

caught=0 missed=0 unbuilt=0 tried=0
start=$SECONDS
for fault in "${faults[@]}"; do
    name=$(field 1 "$fault")
    [[ -n ${1:-} && $name != *"$1"* ]] && continue
    file=$(field 2 "$fault")
    original=$(field 3 "$fault")
    replacement=$(field 4 "$fault")
    cp "$file" "$backup"
    # Plain copies, not moves, so the restored file is newer than the
    # faulty objects and gets rebuilt.
    ORIGINAL=$original REPLACEMENT=$replacement awk '
        { at = index($0, ENVIRON["ORIGINAL"]) }
        at { $0 = substr($0, 1, at - 1) ENVIRON["REPLACEMENT"] substr($0, at + length(ENVIRON["ORIGINAL"])) }
        { print }' "$backup" >"$file"
    tried=$((tried + 1))
    set +e
    suite
    outcome=$?
    set -e
    restore
    case $outcome in
    0) missed=$((missed + 1)); echo "MISSED   $name" ;;
    2) unbuilt=$((unbuilt + 1)); echo "NO BUILD $name" ;;
    *)
        caught=$((caught + 1))
        by=$(sed -nE 's/.*Test +#[0-9]+: ([^ ]+) .*\*\*\*.*/\1/p' "$log" | head -1)
        echo "caught   $name (by ${by:-?})"
        ;;
    esac
done
echo "caught $caught of $tried faults, missed $missed, did not build $unbuilt ($((SECONDS - start)) s)"
