#!/usr/bin/env bash
# Installs the build into a scratch prefix and uses it from there as a user would: the installed
# zyvodiag runs the self-test, and the host example (examples/host) is built against the
# installed library through find_package and through pkg-config, and run.
set -euo pipefail
build_dir="$1"
host_source="$2"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix="$scratch/prefix"
# A cross build names the emulator its programs run under, and its compiler.
read -r -a run <<<"${ZYVO_TEST_EMULATOR:-}"
cxx="${ZYVO_TEST_CXX:-c++}"

fail() {
    echo "$*"
    exit 1
}

cmake --install "$build_dir" --prefix "$prefix" >/dev/null

soname=$(readelf -d "$prefix/lib/libzyvodiags.so.1" | grep SONAME)
[[ "$soname" == *"[libzyvodiags.so.1]"* ]] || fail "wrong SONAME: $soname"

for file in share/man/man1/zyvodiag.1 share/bash-completion/completions/zyvodiag \
    share/doc/zyvodiag/zyvodiag.md share/doc/zyvodiag/library.md; do
    [[ -f "$prefix/$file" ]] || fail "$file not installed"
done

# The installed program finds its libraries by itself, from wherever it was installed.
if ! env -u LD_LIBRARY_PATH "${run[@]}" "$prefix/bin/zyvodiag" selftest >"$scratch/selftest.txt" 2>&1; then
    cat "$scratch/selftest.txt"
    fail "the installed zyvodiag selftest failed"
fi

# --help points at the documentation where it was installed.
env -u LD_LIBRARY_PATH "${run[@]}" "$prefix/bin/zyvodiag" --help | grep -q "share/doc/zyvodiag" ||
    fail "zyvodiag --help does not point at share/doc/zyvodiag"

# The host example writes one 720p50 frame of 8-bit YCbCr 4:2:2: 1280 x 720 x 2 bytes.
# Without LD_LIBRARY_PATH: each host finds the libraries by its own RUNPATH.
run_host() {
    local program="$1" frame="$2"
    env -u LD_LIBRARY_PATH "${run[@]}" "$program" -f5 -r50 -p3 "$frame" >"$scratch/host.txt" 2>&1 || {
        cat "$scratch/host.txt"
        fail "$program failed"
    }
    [[ $(stat -c %s "$frame") == 1843200 ]] || fail "$frame: $(stat -c %s "$frame") bytes"
}

cmake -S "$host_source" -B "$scratch/host-cmake" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$scratch/host-cmake" >/dev/null
run_host "$scratch/host-cmake/zyvodiag-host" "$scratch/cmake.raw"

export PKG_CONFIG_PATH="$prefix/lib/pkgconfig"
read -r -a flags <<<"$(pkg-config --cflags --libs zyvodiag)"
[[ "${flags[*]}" == *"$prefix/lib/pkgconfig/../../include"* ]] ||
    fail "pkg-config flags outside the prefix: ${flags[*]}"
[[ "$(pkg-config --libs zyvosim)" == *-lzyvosim* ]] || fail "zyvosim.pc: $(pkg-config --libs zyvosim)"
read -r -a cxxflags <<<"${CXXFLAGS:-}"
# As docs/library.md says: the RUNPATH from pkg-config's own libdir, and no LD_LIBRARY_PATH.
"$cxx" -std=c++17 -Wall -Wextra -Werror "${cxxflags[@]}" "$host_source/main.cpp" "${flags[@]}" \
    -Wl,-rpath,"$(pkg-config --variable=libdir zyvodiag)" -o "$scratch/host-pkg-config"
readelf -d "$scratch/host-pkg-config" | grep -qE "(RUNPATH|RPATH).*$prefix/lib" ||
    fail "the pkg-config host has no RUNPATH to $prefix/lib"
run_host "$scratch/host-pkg-config" "$scratch/pkg-config.raw"

echo "installed zyvodiag runs; the host example builds with find_package and pkg-config and runs"
