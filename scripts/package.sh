#!/usr/bin/env bash
# Makes the Debian package: installs what the build needs, builds in Release with Debian's
# hardening (dpkg-buildflags: fortify, stack protector, full RELRO, BIND_NOW) and without the
# tests and benchmarks, with the user guide (in FOLDER/guide), and prints the path of the .deb.
# Usage: scripts/package.sh [BUILD_FOLDER]   (default build-package)
set -euo pipefail
source_folder=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$source_folder/build-package}")
"$source_folder/scripts/setup.sh" package >&2
cd "$source_folder"

# The flags Debian builds its packages with; CMake has no CPPFLAGS, so they go with CXXFLAGS.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
eval "$(dpkg-buildflags --export=sh)"
cmake -S "$source_folder" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTALVENO_TESTS=OFF \
  -DTALVENO_BENCH=OFF -DTALVENO_WINDOW=ON -DTALVENO_GUIDE=ON -DCMAKE_CXX_FLAGS="$CPPFLAGS $CXXFLAGS" \
  -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" -DCMAKE_SHARED_LINKER_FLAGS="$LDFLAGS" \
  -DCMAKE_MODULE_LINKER_FLAGS="$LDFLAGS" >&2
cmake --build "$build" -j"$(nproc)" >&2
rm -f "$build"/talveno_*.deb
(cd "$build" && cpack -G DEB >&2)
ls "$build"/talveno_*.deb
