#!/usr/bin/env bash
# The self-test's HTML report opened in headless Chromium from a file:// URL with the network
# off: every picture loads, every test's verdict is on the page, and it renders at a desktop and
# a phone width. With a second argument, also leaves the desktop screenshot there (the README's).
#   html_report_in_browser.sh ZYVODIAG [SCREENSHOT.png]
set -euo pipefail
tool=$1
screenshot=${2:-}
browser=$(command -v chromium || command -v chromium-browser || true)
if [[ -z $browser ]]; then
    echo "SKIP: no chromium on this machine (apt-get install chromium)"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
examples=$(cd "$(dirname "$0")/../../examples" && pwd)

# The faulty example bench: passes, failures with root causes, and frames of every kind.
status=0
ZYVO_SIM_CLOCK=virtual ZYVO_SIM_STATE=private ${ZYVO_TEST_EMULATOR:-} "$tool" \
    --sim "$examples/faulty.bench" selftest --html "$work/report" --json "$work/report.json" \
    >"$work/out.txt" || status=$?
[[ $status -eq 1 ]] || { echo "the self-test exited $status, not 1"; cat "$work/out.txt"; exit 1; }

chrome() {
    "$browser" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$work/profile" --hide-scrollbars "$@" 2>/dev/null
}
url="file://$work/report/index.html"
chrome --virtual-time-budget=10000 --dump-dom "$url" >"$work/dom.html"

fail() { echo "FAIL: $*"; exit 1; }
grep -Eq '<body data-images="([1-9][0-9]*)" data-images-loaded="\1"' "$work/dom.html" ||
    fail "not every picture loaded: $(grep -o '<body[^>]*>' "$work/dom.html")"
# Each test's section carries its verdict in words, as the JSON report has it.
python3 - "$work/report.json" "$work/dom.html" <<'PY' || exit 1
import json, re, sys
report = json.load(open(sys.argv[1]))
dom = open(sys.argv[2]).read()
for test in report["tests"]:
    section = re.search(r'<section class="test [a-z]+" id="test-%d">(.*?)</section>' % test["number"], dom, re.S)
    if not section or '>%s</span>' % test["result"] not in section.group(1):
        sys.exit("FAIL: test %d (%s) has no %s on the page" % (test["number"], test["name"], test["result"]))
    cause = test["runs"][0]["root_cause"]
    if test["result"] == "FAIL" and cause.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;") not in section.group(1):
        sys.exit("FAIL: test %d's root cause is not on the page" % test["number"])
PY

for width in 1280 390; do
    chrome --window-size=$width,1600 --screenshot="$work/page-$width.png" "$url" >/dev/null
    [[ -s $work/page-$width.png ]] || fail "no screenshot at $width pixels"
done
if [[ -n $screenshot ]]; then
    cp "$work/page-1280.png" "$screenshot"
fi
echo "the HTML report shows every picture and verdict at 1280 and 390 pixels"
