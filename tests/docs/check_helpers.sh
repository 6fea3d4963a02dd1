# What the checks of the docs share, sourced by each: the tool run the way the build runs it,
# and failures counted, so that one run reports them all.

# A cross build runs the tool under its emulator.
read -r -a run <<<"${ZYVO_TEST_EMULATOR:-}"
failures=0

fail() {
    echo "$*"
    failures=$((failures + 1))
}

# Ends the check: status 1 after any failure, else `$1` said.
finish() {
    if ((failures > 0)); then
        exit 1
    fi
    echo "$1"
}
