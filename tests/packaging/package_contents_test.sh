#!/usr/bin/env bash
# The Debian package unpacked into a temporary root: its batch command runs from there, its
# desktop entry and its MIME type are valid, and lintian finds no errors in it.
# Usage: package_contents_test.sh PACKAGE_FOLDER MIME_TYPE VERSION
set -euo pipefail
folder=$1 mime_type=$2 version=$3
source "$(dirname "$0")/package_checks.sh"
deb=$(echo "$folder"/talveno_*.deb)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/root
dpkg -x "$deb" "$root"

check_batch "$root/usr/bin/talveno-batch" "$work" "$version"

desktop-file-validate "$root/usr/share/applications/talveno.desktop" ||
  fail "desktop-file-validate"
for icon in scalable/apps/talveno.svg 32x32/apps/talveno.png 256x256/apps/talveno.png; do
  [ -s "$root/usr/share/icons/hicolor/$icon" ] || fail "no icon $icon"
done

update-mime-database "$root/usr/share/mime"
XDG_DATA_DIRS="$root/usr/share:/usr/share" check_mime "$mime_type" "$work"

# The window comes up on the file and stays up until it is ended.
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$root/usr/bin/talveno" "$work/cases.dat" || status=$?
[ "$status" = 124 ] || fail "talveno ended with status $status"

lintian --no-cfg --fail-on error "$deb" || fail "lintian found errors"
echo "lintian: no errors"
