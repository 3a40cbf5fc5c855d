#!/usr/bin/env bash
# Makes the Debian package as a packager does, with scripts/package.sh, in a build folder of its
# own (built anew where it was built before); then shows that cpack refuses to make it without
# dpkg-shlibdeps rather than make one that depends on no library.
# Usage: package_build.sh SOURCE_FOLDER CPACK FOLDER
set -euo pipefail
source_folder=$1 cpack=$2 folder=$3
source "$(dirname "$0")/package_checks.sh"
rm -f "$folder"/talveno_*.deb
for tool in dpkg-shlibdeps dpkg-buildflags file; do
  if ! command -v "$tool" >/dev/null; then
    echo "No $tool (dpkg-dev, file; scripts/setup.sh test installs them): no package made."
    exit 77
  fi
done
deb=$("$source_folder/scripts/package.sh" "$folder")
[ "$deb" = "$(echo "$folder"/talveno_*.deb)" ] || fail "scripts/package.sh printed: $deb"
[ ! -e "$folder/tests" ] || fail "the package build built the tests"
echo "scripts/package.sh made $deb"

# A machine without dpkg-shlibdeps: cpack finds programs on the PATH only, which holds the
# other tools it calls.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin" "$work/out"
for tool in file dpkg; do ln -s "$(command -v "$tool")" "$work/bin/$tool"; done
status=0
said=$(cd "$folder" && PATH=$work/bin "$cpack" -G DEB -B "$work/out" \
  -D CMAKE_FIND_USE_CMAKE_SYSTEM_PATH=OFF 2>&1) || status=$?
[ "$status" != 0 ] || fail "cpack made a package without dpkg-shlibdeps: $said"
grep -q "dependencies cannot be computed" <<<"$said" || fail "cpack without dpkg-shlibdeps said: $said"
! ls "$work"/out/*.deb >/dev/null 2>&1 || fail "cpack left a package without dpkg-shlibdeps"
echo "without dpkg-shlibdeps cpack stops: $(tr -s ' \n' ' ' <<<"$said" | grep -o 'The package.s library dependencies cannot be computed[^.]*')"
