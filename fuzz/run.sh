#!/usr/bin/env bash
# Runs every fuzzer of a fuzz build for a bounded time, starting from its committed seed corpus
# (fuzz/corpus/NAME, never written to). Usage: run.sh BUILD_DIR SECONDS [NAME...]
# New inputs go to BUILD_DIR/corpus/NAME, crashing inputs to BUILD_DIR/crashes/.
set -euo pipefail
build_dir="$1"
seconds="$2"
shift 2
seeds="$(cd "$(dirname "$0")" && pwd)/corpus"
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
    for seed_dir in "$seeds"/*/; do
        names+=("$(basename "$seed_dir")")
    done
fi

mkdir -p "$build_dir/crashes"
# The fuzzers' scratch files live in memory where the machine has some: on disk,
# compare_files_fuzzer runs twenty times slower.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
failed=0
for name in "${names[@]}"; do
    fuzzer="$build_dir/$name"
    if [ ! -x "$fuzzer" ]; then
        echo "$name: not built, skipped"
        continue
    fi
    mkdir -p "$build_dir/corpus/$name"
    log="$build_dir/$name.log"
    status=0
    "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$build_dir/crashes/$name-" \
        "$build_dir/corpus/$name" "$seeds/$name" >"$log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    corpus=$(ls "$build_dir/corpus/$name" | wc -l)
    if [ "$status" -ne 0 ]; then
        failed=$((failed + 1))
        echo "$name: FAILED after ${runs:-?} runs (see $log)"
        grep -E '^(==[0-9]+==ERROR|SUMMARY|zyvofuzz:)|runtime error|Test unit written' "$log" || true
    else
        echo "$name: ${runs:-?} runs in ${seconds} s, $corpus new inputs, no crash"
    fi
done
echo "fuzz: $((${#names[@]} - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
