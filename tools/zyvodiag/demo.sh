#!/usr/bin/env bash
# The demonstration run of zyvodiag on the simulated device.
set -u
tool="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
bench=$(mktemp)
# The SDI loop's card and frame files, apart from any card the user already has.
scratch=$(mktemp -d)
trap 'rm -rf "$bench" "$scratch"' EXIT

step() {
    printf '\n$ zyvodiag %s\n' "$*"
    "$tool" "$@"
    printf '[exit status %d]\n' $?
}

# Says that the next step fails on purpose, and why, so a reader does not take it for a fault.
intended() {
    printf '\n# intended failure: %s\n' "$*"
}

front_end() {
    echo "== zyvodiag on the simulated loopback bench =="
    step parse -i2 -f6 -r29 -p1 -D
    intended "720p has no 47.95 format: the library warns and falls back, the tool exits 2"
    step parse -f5 -r47
    intended "there is no SDI input 9: the command line is refused with exit status 2"
    step parse -i9
    step audio -t1 -l2 -n* -D
    step open
}

# One invocation per step, as on hardware: the card keeps what the last one programmed.
sdi_loop() {
    echo
    echo "== a test pattern around the cable from SDI output 1 to SDI input 1 =="
    (
        export ZYVO_SIM_STATE="$scratch"
        cd "$scratch" || exit 1
        step output -o1 -p7
        step capture -i1 -p7 captured
        step capture-pattern -o1 -p7 pattern
        step compare pattern captured
    )
}

failing_device() {
    echo
    echo "== the same device with a logic image that fails to load =="
    echo "fault device.Open -1" >"$bench"
    intended "the simulated logic image fails to load, so the device cannot be opened"
    step --sim "$bench" open
}

front_end
sdi_loop
failing_device

# The bench self-test twice: on the loopback bench, then on the faulty example bench, with two
# faults of different kinds (a widget call that fails, a signal missing from the bench). Their
# HTML, JUnit and JSON reports stay under the build directory.
self_test() {
    local reports examples
    reports="$(cd "$(dirname "$tool")/../.." && pwd)/selftest"
    examples="$(cd "$(dirname "$0")/../../examples" && pwd)"
    rm -rf "$reports"
    mkdir -p "$reports"
    echo
    echo "== the bench self-test on the loopback bench =="
    (
        export ZYVO_SIM_STATE="$scratch/selftest-card"
        step selftest --html "$reports/default" --junit "$reports/default.xml" \
            --json "$reports/default.json"
    )
    echo
    echo "== the self-test again on examples/faulty.bench: SDI output 3 will not switch on, the"
    echo "   reference is unplugged =="
    intended "the faulty bench's SDI output 3 and reference tests fail, the others pass"
    (
        export ZYVO_SIM_STATE="$scratch/selftest-card"
        step --sim "$examples/faulty.bench" selftest --html "$reports/faulty" \
            --junit "$reports/faulty.xml" --json "$reports/faulty.json"
    )
    echo
    echo "reports (HTML, JUnit, JSON) in $reports:"
    echo "  file://$reports/default/index.html"
    echo "  file://$reports/faulty/index.html"
}

self_test
