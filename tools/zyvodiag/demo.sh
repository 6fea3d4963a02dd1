#!/usr/bin/env bash
# The demonstration run of zyvodiag on the simulated device.
set -u
tool="$1"
bench=$(mktemp)
trap 'rm -f "$bench"' EXIT

step() {
    printf '\n$ zyvodiag %s\n' "$*"
    "$tool" "$@"
    printf '[exit status %d]\n' $?
}

echo "== zyvodiag on the simulated loopback bench =="
step parse -i2 -f6 -r29 -p1 -D
step parse -f5 -r47
step parse -i9
step audio -t1 -l2 -n* -D
step open

echo
echo "== the same device with a logic image that fails to load =="
echo "fault device.Open -1" >"$bench"
step --sim "$bench" open
