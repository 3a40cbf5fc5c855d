#!/usr/bin/env bash
# The Debian package installed for real with apt-get, used from the menu's places, and removed.
# Runs only as root (as CI does), and leaves alone a machine that has talveno installed.
# Usage: package_install_test.sh PACKAGE_FOLDER MIME_TYPE VERSION
set -euo pipefail
folder=$1 mime_type=$2 version=$3
source "$(dirname "$0")/package_checks.sh"
if [ "$(id -u)" -ne 0 ]; then
  echo "Not root: the package is not installed for real."
  exit 77
fi
if dpkg-query -W -f='${Status}' talveno 2>/dev/null | grep -q 'install ok installed'; then
  echo "talveno is installed on this machine already: left as it is."
  exit 77
fi
deb=$(echo "$folder"/talveno_*.deb)
work=$(mktemp -d)
apt() { DEBIAN_FRONTEND=noninteractive apt-get -y -qq -o DPkg::Lock::Timeout=300 "$@"; }
trap 'apt purge talveno >/dev/null 2>&1 || true; rm -rf "$work"' EXIT

apt install "$deb" >/dev/null
[ "$(command -v talveno-batch)" = /usr/bin/talveno-batch ] || fail "talveno-batch not on PATH"
check_batch talveno-batch "$work" "$version"
[ "$(man -w talveno-batch)" = /usr/share/man/man1/talveno-batch.1.gz ] || fail "man -w"
# The menu entry, and the file association the desktop database made of it.
[ -f /usr/share/applications/talveno.desktop ] || fail "no menu entry"
grep -q '^application/x-talveno-input=.*talveno.desktop' /usr/share/applications/mimeinfo.cache ||
  fail "the desktop database does not open the input data files with talveno"
check_mime "$mime_type" "$work"

apt purge talveno >/dev/null
[ ! -e /usr/bin/talveno-batch ] || fail "talveno-batch left behind"
[ "$("$mime_type" "$work/cases.dat")" != application/x-talveno-input ] ||
  fail "the MIME type left behind"
echo "installed, used and removed"
