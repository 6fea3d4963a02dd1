#!/usr/bin/env bash
# The benches of examples/ do what their comments and the README say: the self-test fails
# exactly the tests named there, and the HDMI 4K and LTC benches pass the tests they are for.
# Usage: example_benches.sh ZYVODIAG EXAMPLES_DIR
set -uo pipefail
tool="$1"
examples="$2"
# A cross build runs the tool under its emulator.
read -r -a run <<<"${ZYVO_TEST_EMULATOR:-}"
failures=0

fail() {
    echo "$*"
    failures=$((failures + 1))
}

# The self-test's verdict lines of one bench, "FAIL NAME" or "PASS NAME", sorted.
verdicts() {
    "${run[@]}" "$tool" --sim "$examples/$1" selftest |
        sed -n 's/^\[[ 0-9]*\/[0-9]*\] \(.*\) \.\.*  *\(PASS\|FAIL\) .*/\2 \1/p' | sort
}

expect_verdicts() {
    local bench="$1" verdict="$2" expected="$3" found
    found=$(verdicts "$bench" | sed -n "s/^$verdict //p")
    [[ "$found" == "$expected" ]] || fail "$bench: the self-test's $verdict tests are
$found
instead of
$expected"
}

expect_verdicts faulty.bench FAIL "Genlock to the external reference
SDI 3 -> SDI input 3"
expect_verdicts stuck.bench FAIL "SDI 2 -> SDI input 2
SDI 6 -> SDI input 6"
expect_verdicts faults.bench PASS "Genlock to the external reference
HDMI 1080p 59.94 -> HDMI input"

"${run[@]}" "$tool" --sim "$examples/hdmi-4k.bench" hdmi-loopback -r29 >/dev/null ||
    fail "hdmi-4k.bench: hdmi-loopback -r29 failed"
"${run[@]}" "$tool" --sim "$examples/ltc.bench" ltc-test -f7 -r59 >/dev/null ||
    fail "ltc.bench: ltc-test -f7 -r59 failed"

if ((failures > 0)); then
    exit 1
fi
echo "every example bench does what it says"
