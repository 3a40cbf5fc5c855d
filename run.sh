#!/usr/bin/env bash
# Sets up, builds and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
# The user guide that F1 opens, built beside the program (pandoc, Chromium).
scripts/setup.sh guide
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DTALVENO_BENCH=OFF -DTALVENO_GUIDE=ON >/dev/null
cmake --build build -j"$(nproc)" --target talveno user_guide
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display: the window needs an X11 or Wayland desktop (DISPLAY is not set)." >&2
  exit 1
fi
exec build/app/talveno "$@"
