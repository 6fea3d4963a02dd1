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

front_end() {
    echo "== zyvodiag on the simulated loopback bench =="
    step parse -i2 -f6 -r29 -p1 -D
    step parse -f5 -r47
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
    step --sim "$bench" open
}

front_end
sdi_loop
failing_device

# The bench self-test twice: on the loopback bench, then on one with two faults of different
# kinds, a widget call that fails and a signal missing from the bench. The pictures of every
# frame stay under the build directory; the raw frames (tens of megabytes) do not.
self_test() {
    local frames
    frames="$(cd "$(dirname "$tool")/../.." && pwd)/selftest"
    rm -rf "$frames"
    mkdir -p "$frames"
    echo
    echo "== the bench self-test on the loopback bench =="
    (
        export ZYVO_SIM_STATE="$scratch/selftest-card"
        step selftest --keep "$frames/default" --json "$frames/default.json"
    )
    {
        echo "devices 1"
        for n in 0 1 2 3 4 5 6 7; do echo "cable SDIOutput $n SDIInput $n"; done
        echo "cable HDMIOutput 0 HDMIInput 0"
        echo "ltc-source rate 6 start 01:00:00:00"
        echo "fault SDIOutput[2].SetEnable -1   # SDI output 3 cannot be switched on"
        echo "reference none                    # nothing on the reference input"
    } >"$bench"
    echo
    echo "== the self-test again: SDI output 3 will not switch on, the reference is unplugged =="
    sed 's/^/    /' "$bench"
    (
        export ZYVO_SIM_STATE="$scratch/selftest-card"
        step --sim "$bench" selftest --keep "$frames/faulty" --json "$frames/faulty.json"
    )
    find "$frames" -name '*.raw' -delete
    echo
    echo "pictures of every frame and the JSON reports: $frames"
}

self_test
