#!/usr/bin/env bash
# Builds the browser edition: the engine as a WebAssembly module (em++, embind, one JavaScript
# file with the module inside), then the page with its style sheet, the module and its own
# JavaScript modules inlined into one file, build-web/talveno.html, that opens from a disk or a
# shared folder with no server and no network.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh web

# Debian's emscripten runs its optimiser on node-acorn, which a Node.js of another origin does
# not find by itself.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

# The "wasm" preset names the toolchain file directly: emcmake hands node a flag that Node.js 20
# refuses.
cmake --preset wasm >/dev/null
cmake --build build-wasm -j"$(nproc)" --target talveno-engine
mkdir -p build-web
node scripts/inline-web.mjs web build-wasm/module/talveno-engine.js build-web/talveno.html
