#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer, AddressSanitizer and UBSan
# in build-fuzz/ and runs each for SECONDS (default 60), starting from its
# seed corpus in tests/fuzz/corpus/TARGET/. What it learns goes to a scratch
# folder, not the tree. A finding fails the run and is saved as
# build-fuzz/crash-* (or leak-*, timeout-*): mend it, then keep the input in
# the corpus. Usage: fuzz.sh [SECONDS]
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh

seconds=${1:-60}
scripts/ensure-packages.sh "${fuzzing[@]}"

cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DHAND_SANITIZE=ON -DHAND_FUZZ=ON -DHAND_BUILD_TESTS=OFF >/dev/null
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for target in snapshot_options page_hash; do
    cmake --build build-fuzz -j "$(nproc)" --target "${target}_fuzz" >/dev/null
    mkdir "$scratch/$target"
    echo "Fuzzing $target for $seconds s ..."
    log=$scratch/$target.log status=0
    "build-fuzz/tests/fuzz/${target}_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
        -dict="tests/fuzz/$target.dict" -artifact_prefix=build-fuzz/ \
        "$scratch/$target" "tests/fuzz/corpus/$target" > "$log" 2>&1 || status=$?
    if [ "$status" -ne 0 ]; then
        tail -n 40 "$log" >&2
        echo "Fuzzing $target found a fault: its input is in build-fuzz/." >&2
        exit 1
    fi
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|new_units_added)' "$log"
done
