#!/usr/bin/env bash
# Usage: memcheck.sh PROGRAM ARGS...
# Runs PROGRAM under valgrind's memcheck, failing on any invalid access or leak; exits 77, which
# CTest counts as skipped, where valgrind is not installed.
if ! command -v valgrind >/dev/null; then
    echo "valgrind not installed (Debian: valgrind)"
    exit 77
fi
exec valgrind -q --error-exitcode=99 --leak-check=full \
    --errors-for-leak-kinds=definite,indirect,possible "$@"
