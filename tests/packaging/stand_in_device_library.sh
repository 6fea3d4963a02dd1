#!/usr/bin/env bash
# Usage: stand_in_device_library.sh SOURCE_DIR
# Builds the library and the tool against a stand-in device library (stand_in_device_library.cpp,
# the declarations of interfaces/ and no device) with the tool's simulator control left out, and
# checks what a user of that tool sees: --version names the stand-in, `open` fails cleanly, and
# everything that drives the simulator says it needs it.
set -euo pipefail
source_dir="$1"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# A sanitizer or cross build hands over its compiler, flags, toolchain and emulator.
read -r -a run <<<"${ZYVO_TEST_EMULATOR:-}"
cxx="${ZYVO_TEST_CXX:-c++}"
read -r -a cxxflags <<<"${CXXFLAGS:-}"

fail() {
    echo "$*"
    exit 1
}

# --no-undefined: the stand-in defines all it declares use of, and libzyvodiags finds every
# symbol it needs in the stand-in.
stand_in="$scratch/libzyvostandin.so.1"
"$cxx" -std=c++17 -Wall -Wextra -Werror "${cxxflags[@]}" -fPIC -shared \
    -Wl,-soname,libzyvostandin.so.1 -Wl,--no-undefined -I"$source_dir/interfaces" \
    "$source_dir/tests/packaging/stand_in_device_library.cpp" -o "$stand_in"

configure=(-DZYVODIAG_DEVICE_LIBRARY="$stand_in" -DZYVODIAG_TOOL_SIMULATOR=OFF
    -DBUILD_TESTING=OFF -DZYVO_BUILD_BENCHMARKS=OFF -DZYVODIAG_WERROR=ON
    -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_CXX_FLAGS="${CXXFLAGS:-}"
    -DCMAKE_SHARED_LINKER_FLAGS=-Wl,--no-undefined)
[[ -z "${CMAKE_TOOLCHAIN_FILE:-}" ]] || configure+=(-DCMAKE_TOOLCHAIN_FILE="$CMAKE_TOOLCHAIN_FILE")
cmake -S "$source_dir" -B "$scratch/build" "${configure[@]}" >"$scratch/log" 2>&1 &&
    cmake --build "$scratch/build" --target zyvodiag -j2 >>"$scratch/log" 2>&1 ||
    fail "$(cat "$scratch/log")"

needed=$(readelf -d "$scratch/build/src/libzyvodiags.so.1" | grep NEEDED)
[[ "$needed" == *"[libzyvostandin.so.1]"* && "$needed" != *zyvosim* ]] ||
    fail "libzyvodiags needs: $needed"

tool=("${run[@]}" "$scratch/build/tools/zyvodiag/zyvodiag")
version=$("${tool[@]}" --version)
[[ "$version" == *"device library: $stand_in"* ]] || fail "--version: $version"

# Exit status 1 is the library's failed open: a signal would be 128 and over.
status=0
"${tool[@]}" open >"$scratch/out" 2>&1 || status=$?
[[ $status == 1 && $(cat "$scratch/out") == *"device 0 create failed"*"device 0 could not be opened"* ]] ||
    fail "open exited $status: $(cat "$scratch/out")"

# What drives the simulator is refused as a command line that cannot be used.
expect_refused() {
    local what="$1"
    shift
    status=0
    "$@" >"$scratch/out" 2>&1 || status=$?
    [[ $status == 2 && $(cat "$scratch/out") == *"$what needs the simulated device"*"$stand_in"* ]] ||
        fail "$what exited $status: $(cat "$scratch/out")"
}
expect_refused --sim "${tool[@]}" --sim "$source_dir/examples/faulty.bench" open
expect_refused --trace "${tool[@]}" --trace open
expect_refused ZYVO_SIM env ZYVO_SIM="$source_dir/examples/faulty.bench" "${tool[@]}" open
expect_refused sim-reset "${tool[@]}" sim-reset

echo "the library and the tool build on a stand-in device library, and the tool says what it lacks"
