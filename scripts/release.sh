#!/usr/bin/env bash
# Makes the release for engineers: FOLDER/talveno-VERSION.zip, which holds the browser edition
# (talveno.html), the user guide as HTML and PDF, the example files, the licence, a short
# Japanese read-me ("はじめにお読みください.txt") and SHA256SUMS, and beside it the Debian package.
# The bundle unpacks into the folder it is unzipped into (Windows' "Extract all" makes that
# folder), its names in UTF-8 with the zip's UTF-8 flag; its files bear the time of the last
# commit, so that the same files (the guide's PDF bears the time it was printed) give the same zip.
# Usage: scripts/release.sh [FOLDER]   (default build-release); prints the paths of the two files.
# TALVENO_PACKAGE_FOLDER names a folder where scripts/package.sh has already made the package
# and the guide, TALVENO_PAGE a browser edition already built; each is built otherwise.
set -euo pipefail
source_folder=$(cd "$(dirname "$0")/.." && pwd)
folder=$(realpath -m "${1:-$source_folder/build-release}")
cd "$source_folder"
version=$(sed -n 's/^project(talveno VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

if [ -n "${TALVENO_PACKAGE_FOLDER:-}" ]; then
  package_folder=$(realpath "$TALVENO_PACKAGE_FOLDER")
else
  package_folder=$source_folder/build-package
  scripts/package.sh "$package_folder" >/dev/null
fi
deb=$(echo "$package_folder"/talveno_"$version"-*.deb)
guide=$package_folder/guide
for file in "$deb" "$guide/talveno-guide-ja.html" "$guide/talveno-guide-ja.pdf"; do
  [ -f "$file" ] || { echo "No $file: the package build made none" >&2; exit 1; }
done
if [ -n "${TALVENO_PAGE:-}" ]; then
  page=$(realpath "$TALVENO_PAGE")
else
  scripts/build-web.sh >&2
  page=$source_folder/build-web/talveno.html
fi
scripts/setup.sh release >&2

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
readme="はじめにお読みください.txt"
mkdir "$stage/examples"
cp "$page" "$stage/talveno.html"
cp "$guide/talveno-guide-ja.html" "$guide/talveno-guide-ja.pdf" "$stage/"
cp examples/cases.dat examples/cases.mpa "$stage/examples/"
cp LICENSE "$stage/LICENSE.txt"
# The read-me as Notepad and TextEdit open it alike: UTF-8 with a byte order mark, CR LF.
{
  printf '\xef\xbb\xbf'
  sed -e "s/@VERSION@/$version/g" -e "s/@DEB@/$(basename "$deb")/g" -e 's/$/\r/' \
    packaging/release/readme-ja.txt
} >"$stage/$readme"
(cd "$stage" && find . -type f ! -name SHA256SUMS -printf '%P\n' | LC_ALL=C sort |
  xargs -d '\n' sha256sum >SHA256SUMS)

# The same bytes from the same sources: every file with the time of the last commit, one mode and
# one owner, in a fixed order, described to bsdtar by an mtree manifest (names escaped as octal
# bytes). bsdtar marks the Japanese name as UTF-8 (the zip's UTF-8 flag) in a UTF-8 locale, which
# Info-ZIP's zip does not.
stamp=$(git log -1 --format=%ct 2>/dev/null || date +%s)
escaped() {
  printf '%s' "$1" | od -An -v -to1 | tr -s ' ' '\n' | sed '/^$/d' | while read -r octal; do
    byte=$((8#$octal))
    if [ "$byte" -gt 32 ] && [ "$byte" -lt 127 ] && [ "$byte" -ne 92 ]; then
      printf "\\$octal"
    else
      printf '\\%s' "$octal"
    fi
  done
}
manifest=$stage.mtree
trap 'rm -rf "$stage" "$manifest"' EXIT
{
  echo '#mtree'
  (cd "$stage" && find . -type f -printf '%P\n' | LC_ALL=C sort) | while read -r file; do
    echo "$(escaped "$file") type=file mode=0644 uid=0 gid=0 uname=root gname=root" \
      "time=$stamp.0 contents=$(escaped "$stage/$file")"
  done
} >"$manifest"
mkdir -p "$folder"
zip_file=$folder/talveno-$version.zip
rm -f "$zip_file"
LC_ALL=C.UTF-8 TZ=UTC bsdtar --format zip --options zip:compression=deflate -cf "$zip_file" "@$manifest"
cp "$deb" "$folder/"
echo "$zip_file"
echo "$folder/$(basename "$deb")"
