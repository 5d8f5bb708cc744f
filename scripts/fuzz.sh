#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer, AddressSanitizer and UBSan
# in build-fuzz/ and runs them side by side for SECONDS (default 60), each from its
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
targets=(snapshot_options page_hash)
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]/%/_fuzz}" >/dev/null
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The targets run side by side, one core each.
fuzz() {
    local target=$1
    mkdir "$scratch/$target"
    "build-fuzz/tests/fuzz/${target}_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
        -dict="tests/fuzz/$target.dict" -artifact_prefix=build-fuzz/ \
        "$scratch/$target" "tests/fuzz/corpus/$target" > "$scratch/$target.log" 2>&1
}
echo "Fuzzing ${targets[*]} for $seconds s ..."
pids=()
for target in "${targets[@]}"; do
    fuzz "$target" &
    pids+=($!)
done
failed=0
for i in "${!targets[@]}"; do
    target=${targets[$i]} log=$scratch/${targets[$i]}.log
    if ! wait "${pids[$i]}"; then
        tail -n 40 "$log" >&2
        echo "Fuzzing $target found a fault: its input is in build-fuzz/." >&2
        failed=1
        continue
    fi
    echo "$target:"
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|new_units_added)' "$log"
done
exit "$failed"
