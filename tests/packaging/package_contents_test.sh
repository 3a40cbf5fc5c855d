#!/usr/bin/env bash
# The Debian package unpacked into a temporary root: its library dependencies, the hardening of
# its binaries, its programs run from there on the example files, its desktop entry, MIME types
# and software centres' entry valid, the user guide, and no lintian errors.
# Usage: package_contents_test.sh PACKAGE_FOLDER MIME_TYPE VERSION
set -euo pipefail
folder=$1 mime_type=$2 version=$3
source "$(dirname "$0")/package_checks.sh"
deb=$(echo "$folder"/talveno_*.deb)
[ -f "$deb" ] || { echo "No package made (package_build was skipped)."; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config
root=$work/root
dpkg -x "$deb" "$root"

# The dependencies dpkg-shlibdeps found, beside those named by hand.
depends=$(dpkg-deb -f "$deb" Depends)
names=", $(sed 's/ ([^)]*)//g' <<<"$depends"), "
for library in libc6 libstdc++6 libqt6core6 libqt6widgets6 libqt6printsupport6; do
  [[ $names == *", $library, "* ]] || fail "no dependency on $library: $depends"
done
[ "$(dpkg-deb -f "$deb" Suggests)" = cups ] || fail "Suggests: $(dpkg-deb -f "$deb" Suggests)"
echo "Depends: $depends"
check_hardening "$root"

examples=$root/usr/share/doc/talveno/examples
check_batch "$root/usr/bin/talveno-batch" "$examples" "$work" "$version"
check_window_version "$root/usr/bin/talveno" "$version"

desktop-file-validate "$root/usr/share/applications/talveno.desktop" ||
  fail "desktop-file-validate"
for icon in scalable/apps/talveno.svg 32x32/apps/talveno.png 256x256/apps/talveno.png; do
  [ -s "$root/usr/share/icons/hicolor/$icon" ] || fail "no icon $icon"
done
check_metainfo "$root/usr/share/metainfo/io.github.talveno.talveno.metainfo.xml"
grep -q 'Expat' "$root/usr/share/doc/talveno/copyright" || fail "no licence in the copyright file"

# The user guide beside the README: the HTML file standing alone, the PDF of A4 pages.
doc=$root/usr/share/doc/talveno
for guide in talveno-guide-ja.html talveno-guide-ja.pdf; do
  [ -s "$doc/$guide" ] || fail "no $guide in /usr/share/doc/talveno"
done
! grep -qE '(src|href)="(\.\./|https?:|file:)' "$doc/talveno-guide-ja.html" ||
  fail "the HTML guide refers to files outside it"
pages=$(pdfinfo "$doc/talveno-guide-ja.pdf" | sed -n 's/^Pages: *//p')
[ "${pages:-0}" -ge 30 ] || fail "the PDF guide has ${pages:-no} pages"
echo "the guide: talveno-guide-ja.html, talveno-guide-ja.pdf ($pages pages)"

update-mime-database "$root/usr/share/mime"
XDG_DATA_DIRS="$root/usr/share:/usr/share" check_mime "$mime_type" "$examples" "$work"

# The window comes up on either example file and stays up until it is ended.
for file in cases.dat cases.mpa; do
  status=0
  QT_QPA_PLATFORM=offscreen timeout 3 "$root/usr/bin/talveno" "$examples/$file" || status=$?
  [ "$status" = 124 ] || fail "talveno $file ended with status $status"
done

lintian --no-cfg --fail-on error "$deb" || fail "lintian found errors"
echo "lintian: no errors"
