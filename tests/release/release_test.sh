#!/usr/bin/env bash
# The release bundle as an engineer gets it: made by scripts/release.sh from the package and the
# guide in PACKAGE_FOLDER and from the browser edition, unzipped, its checksums checked; then its
# page opened from file:// in Chromium to compute the example, and its guide's PDF read back
# (tests/release/bundle.test.mjs).
# Usage: release_test.sh SOURCE_FOLDER PACKAGE_FOLDER
set -euo pipefail
source_folder=$1 package_folder=$2
fail() {
  echo "FAILED: $*" >&2
  exit 1
}
if ! ls "$package_folder"/talveno_*.deb >/dev/null 2>&1; then
  echo "No package made (package_build was skipped)."
  exit 77
fi
for tool in em++ node chromium bsdtar unzip pdfinfo pdftotext sha256sum; do
  if ! command -v "$tool" >/dev/null; then
    echo "No $tool (scripts/setup.sh test installs it): no release bundle made."
    exit 77
  fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The browser edition as ./test.sh builds it later anyway (a build already made is kept).
"$source_folder/scripts/build-web.sh" >"$work/build-web.log" 2>&1 ||
  { cat "$work/build-web.log"; fail "scripts/build-web.sh"; }
made=$(TALVENO_PACKAGE_FOLDER=$package_folder TALVENO_PAGE=$source_folder/build-web/talveno.html \
  "$source_folder/scripts/release.sh" "$work/release")
zip_file=$(sed -n 1p <<<"$made")
deb=$(sed -n 2p <<<"$made")
[ "$zip_file" = "$work/release/talveno-$(basename "$deb" | sed 's/^talveno_\([0-9.]*\)-.*/\1/').zip" ] ||
  fail "scripts/release.sh printed: $made"
cmp -s "$deb" "$(echo "$package_folder"/talveno_*.deb)" || fail "the .deb beside the bundle is not the package"

bundle=$work/bundle
unzip -q "$zip_file" -d "$bundle"
expected="LICENSE.txt
SHA256SUMS
examples/cases.dat
examples/cases.mpa
talveno-guide-ja.html
talveno-guide-ja.pdf
talveno.html
はじめにお読みください.txt"
listed=$(cd "$bundle" && find . -type f -printf '%P\n' | LC_ALL=C sort)
[ "$listed" = "$(LC_ALL=C sort <<<"$expected")" ] || fail "the bundle holds: $listed"
(cd "$bundle" && sha256sum --check --strict --quiet SHA256SUMS) || fail "SHA256SUMS"
[ "$(cut -d' ' -f3 "$bundle/SHA256SUMS" | LC_ALL=C sort)" = "$(grep -v '^SHA256SUMS$' <<<"$listed")" ] ||
  fail "SHA256SUMS lists: $(cut -d' ' -f3 "$bundle/SHA256SUMS")"
# The read-me opens alike in Notepad and TextEdit: UTF-8 with a byte order mark, CR LF.
readme=$bundle/はじめにお読みください.txt
[ "$(head -c 3 "$readme" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "the read-me has no byte order mark"
! grep -q $'[^\r]$' "$readme" || fail "the read-me has a line without CR LF"
! grep -q '@[A-Z]*@' "$readme" || fail "the read-me keeps a placeholder"
# Both guides stand alone: every picture inside, nothing fetched.
! grep -qE '(src|href)="(\.\./|https?:|file:)' "$bundle/talveno-guide-ja.html" ||
  fail "the HTML guide refers to files outside it"
# The same files make the same zip.
again=$(TALVENO_PACKAGE_FOLDER=$package_folder TALVENO_PAGE=$source_folder/build-web/talveno.html \
  "$source_folder/scripts/release.sh" "$work/again" | sed -n 1p)
cmp -s "$zip_file" "$again" || fail "a second bundle differs from the first"

cd "$source_folder"
TALVENO_BUNDLE=$bundle TALVENO_PAGE=$bundle/talveno.html node --test --test-concurrency=1 tests/release/bundle.test.mjs
