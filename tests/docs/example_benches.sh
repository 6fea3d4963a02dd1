#!/usr/bin/env bash
# The benches of examples/ do what their comments and the README say: the self-test gives the
# verdicts and exit status named there, the impairment benches fail the loop tests whose
# pictures show the damage, and the HDMI 4K and LTC benches pass the tests they are for.
# Usage: example_benches.sh ZYVODIAG EXAMPLES_DIR
set -uo pipefail
tool="$1"
examples="$2"
# shellcheck source=check_helpers.sh
source "$(dirname "$0")/check_helpers.sh"

# Runs the self-test on BENCH and checks its exit status and the tests given VERDICT (PASS,
# FAIL or NOT RUN), one name a line, sorted.
expect_selftest() {
    local bench="$1" status="$2" verdict="$3" expected="$4" output found
    output=$("${run[@]}" "$tool" --sim "$examples/$bench" selftest 2>&1)
    local actual=$?
    ((actual == status)) || fail "$bench: the self-test exits $actual, not $status"
    found=$(sed -n "s/^\[[ 0-9]*\/[0-9]*\] \(.*\) \.\.*  *$verdict .*/\1/p" <<<"$output" | sort)
    [[ "$found" == "$expected" ]] || fail "$bench: the self-test's $verdict tests are
$found
instead of
$expected"
}

expect_selftest faulty.bench 1 FAIL "Genlock to the external reference
SDI 3 -> SDI input 3"
expect_selftest stuck.bench 1 FAIL "SDI 2 -> SDI input 2
SDI 6 -> SDI input 6"
expect_selftest faults.bench 130 PASS "Genlock to the external reference
HDMI 1080p 59.94 -> HDMI input"
expect_selftest faults.bench 130 "NOT RUN" "LCD colour bars"

# Runs the self-test on BENCH and checks that it exits 1 and that every loop test named fails,
# one name a line. Loop tests through an input whose damage their picture hides may pass.
expect_impaired_failures() {
    local bench="$1" expected="$2" output name
    output=$("${run[@]}" "$tool" --sim "$examples/$bench" selftest 2>&1)
    local actual=$?
    ((actual == 1)) || fail "$bench: the self-test exits $actual, not 1"
    while read -r name; do
        grep -q "^\[[ 0-9]*/[0-9]*\] $name \.\.*  *FAIL " <<<"$output" ||
            fail "$bench: '$name' does not fail"
    done <<<"$expected"
    grep -q "^\[[ 0-9]*/[0-9]*\] LTC input .* PASS " <<<"$output" ||
        fail "$bench: the LTC test, which no impairment reaches, does not pass"
}

# The loop tests through SDI ports PORT..., one name a line, and the two HDMI loop tests.
loop_tests() {
    local port
    for port in "$@"; do
        echo "SDI $port -> SDI input $port"
    done
    printf 'HDMI %s -> HDMI input\n' "1080p 59.94" "2160p 29.97"
}

expect_impaired_failures impair-data.bench "$(loop_tests 1 2 3 4 5 7 8)"
expect_impaired_failures impair-picture.bench "$(loop_tests 1 3 4 5 7 8)"

"${run[@]}" "$tool" --sim "$examples/hdmi-4k.bench" hdmi-loopback -r29 >/dev/null ||
    fail "hdmi-4k.bench: hdmi-loopback -r29 failed"
"${run[@]}" "$tool" --sim "$examples/ltc.bench" ltc-test -f7 -r59 >/dev/null ||
    fail "ltc.bench: ltc-test -f7 -r59 failed"

finish "every example bench does what it says"
