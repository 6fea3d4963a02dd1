#!/usr/bin/env bash
# Installs the build into a scratch prefix, then builds and runs a host program against it
# through find_package, and checks the pkg-config flags point into the same prefix.
set -euo pipefail
build_dir="$1"
source_dir="$2"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cmake --install "$build_dir" --prefix "$scratch/prefix" >/dev/null
cmake -S "$source_dir" -B "$scratch/consumer" -DCMAKE_PREFIX_PATH="$scratch/prefix" >/dev/null
cmake --build "$scratch/consumer" >/dev/null
# A cross build names the emulator its programs run under.
${ZYVO_TEST_EMULATOR:-} "$scratch/consumer/consumer" -f5 -r50 >/dev/null

soname=$(readelf -d "$scratch/prefix/lib/libzyvodiags.so.1" | grep SONAME)
[[ "$soname" == *"[libzyvodiags.so.1]"* ]] || { echo "wrong SONAME: $soname"; exit 1; }

if command -v pkg-config >/dev/null; then
    flags=$(PKG_CONFIG_PATH="$scratch/prefix/lib/pkgconfig" pkg-config --cflags --libs zyvodiag)
    [[ "$flags" == *"$scratch/prefix/lib/pkgconfig/../../include"* ]] || {
        echo "pkg-config flags outside the prefix: $flags"
        exit 1
    }
fi
echo "installed package builds and runs a host program"
