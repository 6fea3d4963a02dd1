#!/usr/bin/env bash
# A soak on the virtual clock: how the tool's peak memory and JSON report grow with the passes of
# `selftest --repeat`, for the whole plan and for its quickest test alone, against PASSES passes.
#   bench/soak.sh TOOL [PASSES]
# Standard error says what ran and what it found. Standard output is "rss_growth_kib json_bytes
# passes": the larger of the two soaks' figures, the whole plan's extrapolated to PASSES.
# ZYVO_SOAK_PLAN_PASSES (default 40) is how many passes of the whole plan to run.
set -euo pipefail

tool=${1:?usage: soak.sh TOOL [PASSES]}
passes=${2:-10000}
plan_passes=${ZYVO_SOAK_PLAN_PASSES:-40}
# The report keeps the detail of each test's first passes; growth counts from this pass on.
settled=10
((plan_passes > settled && passes > settled)) || {
    echo "soak.sh: a soak needs more than $settled passes" >&2
    exit 2
}

# A pass of the whole plan moves about 1.4 GB through the card's memory file and the frame
# files. The figures are of memory and of the report, not of the disk, so these files go to a
# memory-backed folder when it has room for them.
base=${TMPDIR:-/tmp}
if [[ -d /dev/shm && -w /dev/shm ]] &&
    (($(df -Pk /dev/shm | awk 'NR == 2 { print $4 }') > 4194304)); then
    base=/dev/shm
fi
work=$(mktemp -d "$base/zyvo-soak-XXXXXX")
trap 'rm -rf "$work"' EXIT
export ZYVO_SIM_STATE=private ZYVO_SIM_CLOCK=virtual TMPDIR=$work

# Runs `selftest --repeat COUNT ARGS...` as NAME, its output to NAME.out: NAME.json, and
# NAME.peak, the peak RSS in KiB of the whole process, its reports included.
soak() {
    local name=$1 count=$2
    shift 2
    if ! /usr/bin/time -f %M -o "$work/$name.peak" "$tool" selftest --repeat "$count" \
        --json "$work/$name.json" "$@" >"$work/$name.out" 2>"$work/$name.err"; then
        echo "soak.sh: selftest --repeat $count $* failed:" >&2
        tail -3 "$work/$name.err" >&2
        exit 1
    fi
}

# The same, with NAME.rss: "PASS KIB" lines, the peak RSS so far read as each pass ends
# ("[16/16] ..." ends a pass of 16 tests). For a plan whose pass takes far longer than reading
# a line: the reader never lags a pass behind. The tool is the child of time, the child of
# the background soak.
sampled_soak() {
    local name=$1
    mkfifo "$work/$name.out"
    soak "$@" &
    local soaker=$!
    awk -v soaker="$soaker" '
        function child(parent,    children, found) {
            children = "/proc/" parent "/task/" parent "/children"
            getline found < children
            close(children)
            sub(/ .*/, "", found)
            return found
        }
        match($0, /^\[ *[0-9]+\/[0-9]+\]/) {
            split(substr($0, 2, RLENGTH - 2), at, "/")
            if (at[1] + 0 != at[2] + 0) next
            pass++
            if (pid == "") {
                pid = child(child(soaker))
            }
            status = "/proc/" pid "/status"
            while ((getline line < status) > 0) {
                if (line ~ /^VmHWM:/) { split(line, field, " "); print pass, field[2] }
            }
            close(status)
        }' <"$work/$name.out" >"$work/$name.rss"
    wait "$soaker"
}

peak() { tail -1 "$work/$1.peak"; }
json_bytes() { stat -c %s "$work/$1.json"; }

soak plan-short "$settled"
sampled_soak plan "$plan_passes"

# The whole plan: the growth per pass between the settled pass and the last one sampled before
# the reports, extrapolated to PASSES; what the reports add at the end stays as measured.
settled_rss=$(awk -v n="$settled" '$1 >= n { print $2; exit }' "$work/plan.rss")
read -r last last_rss < <(awk -v n="$plan_passes" '$1 < n { last = $0 } END { print last }' \
    "$work/plan.rss")
read -r slope plan_growth < <(awk -v a="$settled_rss" -v b="$last_rss" -v p="$last" \
    -v s="$settled" -v n="$passes" -v end="$(peak plan)" \
    'BEGIN { printf "%.3f %d\n", (b - a) / (p - s), (b - a) * (n - s) / (p - s) + end - b }')
plan_json=$((($(json_bytes plan) - $(json_bytes plan-short)) * (passes - settled) /
    (plan_passes - settled) + $(json_bytes plan-short)))

# Test 15 alone, at each tenfold number of passes up to PASSES: measured, not extrapolated.
counts=()
for ((count = settled; count < passes; count *= 10)); do
    counts+=("$count")
done
counts+=("$passes")
one_rss=""
for count in "${counts[@]}"; do
    soak "one-$count" "$count" --only 15
    one_rss+="$(peak "one-$count") KiB after $count, "
done
one_growth=$(($(peak "one-$passes") - $(peak "one-$settled")))

{
    echo "soak of the whole plan, $plan_passes passes on the virtual clock," \
        "card and frame files in $base:"
    echo "  peak RSS $settled_rss KiB after pass $settled, $last_rss KiB after pass $last," \
        "$(peak plan) KiB with the reports: $slope KiB a pass, so $plan_growth KiB of growth" \
        "by pass $passes (extrapolated)"
    echo "  JSON $(json_bytes plan-short) B after $settled passes, $(json_bytes plan) B after" \
        "$plan_passes: $plan_json B at $passes (extrapolated)"
    echo "soak of test 15 alone (--only 15), a run for each number of passes:"
    echo "  peak RSS ${one_rss%, }: $one_growth KiB of growth from $settled passes to $passes"
    echo "  JSON $(json_bytes "one-$settled") B after $settled passes, $(json_bytes "one-$passes")" \
        "B after $passes"
    echo "  (the figures below are the larger of the two soaks)"
} >&2

max() { echo $(($1 > $2 ? $1 : $2)); }
echo "$(max "$plan_growth" "$one_growth") $(max "$plan_json" "$(json_bytes "one-$passes")") $passes"
