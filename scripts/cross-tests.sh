#!/usr/bin/env bash
# The engine on other machines: its test suites (core, tables, the formats, print, the window's
# rules) built by em++ and run under node, with the WebAssembly module and its node test; the
# same suites and the batch command built for arm64 and run under qemu; then the equivalence of
# the result files that the desktop build, the module and the arm64 build compute.
# Usage: scripts/cross-tests.sh DESKTOP_BATCH   (the desktop build's talveno-batch)
set -euo pipefail
cd "$(dirname "$0")/.."
desktop_batch=$(realpath "$1")
jobs=$(nproc)
export NODE_PATH=/usr/share/nodejs  # acorn, which emscripten's JavaScript optimizer needs

# Release builds: the suites are not slower to build that way, and run faster under the emulators.
cmake --preset wasm >/dev/null
cmake --build build-wasm -j"$jobs"
ctest --test-dir build-wasm --output-on-failure -j"$jobs"

cmake --preset arm64 >/dev/null
suites=(core_tests tables_tests formats_tests print_tests window_tests)
cmake --build build-arm64 -j"$jobs" --target "${suites[@]}" talveno-batch
ctest --test-dir build-arm64 --output-on-failure -j"$jobs" -R "^($(IFS='|'; echo "${suites[*]}"))\$"

node tests/equivalence/equivalence.js build-wasm/equivalence build-wasm/module/talveno-engine.js \
  "$desktop_batch" build-arm64/app/talveno-batch
