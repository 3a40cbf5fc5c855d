#!/usr/bin/env bash
# Writes core/cp932_table.cpp, the tables of the program's own CP932 converter, from glibc's
# CP932 converter (scripts/cp932_table.cpp). The tests compare the two over every character.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(mktemp -d)
trap 'rm -rf "$build"' EXIT
g++ -std=c++20 -O2 -Wall -Wextra -o "$build/cp932_table" scripts/cp932_table.cpp
"$build/cp932_table" >"$build/cp932_table.cpp"
mv "$build/cp932_table.cpp" core/cp932_table.cpp
echo "Wrote core/cp932_table.cpp"
