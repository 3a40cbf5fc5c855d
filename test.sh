#!/usr/bin/env bash
# Sets up, builds (with AddressSanitizer and UndefinedBehaviorSanitizer) and runs all tests.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh test
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DTALVENO_SANITIZE=ON >/dev/null
cmake --build build-test -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-test --output-on-failure -j"$(nproc)"
