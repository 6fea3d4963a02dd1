#!/usr/bin/env bash
# A soak on the virtual clock: the tool's peak memory and JSON size after N passes against a
# short soak of the same test, so a report that keeps every pass's detail shows as growth.
#   bench/soak.sh TOOL [PASSES]     (prints "rss_growth_kib json_bytes passes")
set -euo pipefail

tool=${1:?usage: soak.sh TOOL [PASSES]}
passes=${2:-10000}
work=$(mktemp -d "${TMPDIR:-/tmp}/zyvo-soak-XXXXXX")
trap 'rm -rf "$work"' EXIT
export ZYVO_SIM_STATE=private ZYVO_SIM_CLOCK=virtual

# The genlock test is the plan's quickest; its figures and log grow as any test's do.
peak_kib() {
    /usr/bin/time -f %M "$tool" selftest --only 15 --repeat "$1" --json "$work/$1.json" \
        2>&1 >/dev/null | tail -1
}
short=$(peak_kib 10)
long=$(peak_kib "$passes")
echo "$((long - short)) $(stat -c %s "$work/$passes.json") $passes"
