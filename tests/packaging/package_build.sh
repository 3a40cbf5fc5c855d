#!/usr/bin/env bash
# Makes the Debian package of the build into a folder of its own, replacing an older one.
# Usage: package_build.sh CPACK CPACK_CONFIG FOLDER
set -euo pipefail
cpack=$1 config=$2 folder=$3
rm -rf "$folder"
mkdir -p "$folder"
"$cpack" -G DEB --config "$config" -B "$folder"
ls "$folder"/talveno_*.deb
