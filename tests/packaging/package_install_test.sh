#!/usr/bin/env bash
# The Debian package installed for real with apt-get, used from the menu's places, and removed.
# Runs only as root and only when asked for with TALVENO_INSTALL_TEST=1 (./test.sh asks, as CI
# runs it), and leaves alone a machine that has talveno installed.
# Usage: package_install_test.sh PACKAGE_FOLDER MIME_TYPE VERSION
set -euo pipefail
folder=$1 mime_type=$2 version=$3
source "$(dirname "$0")/package_checks.sh"
if [ "${TALVENO_INSTALL_TEST:-}" != 1 ]; then
  echo "TALVENO_INSTALL_TEST is not 1: the package is not installed on this machine."
  exit 77
fi
if [ "$(id -u)" -ne 0 ]; then
  echo "Not root: the package is not installed for real."
  exit 77
fi
if dpkg-query -W -f='${Status}' talveno 2>/dev/null | grep -q 'install ok installed'; then
  echo "talveno is installed on this machine already: left as it is."
  exit 77
fi
deb=$(echo "$folder"/talveno_*.deb)
[ -f "$deb" ] || { echo "No package made (package_build was skipped)."; exit 77; }
work=$(mktemp -d)
export XDG_CONFIG_HOME=$work/config
apt() { DEBIAN_FRONTEND=noninteractive apt-get -y -qq -o DPkg::Lock::Timeout=300 "$@"; }
trap 'apt purge talveno >/dev/null 2>&1 || true; rm -rf "$work"' EXIT

apt install "$deb" >/dev/null
for program in talveno talveno-batch; do
  [ "$(command -v "$program")" = "/usr/bin/$program" ] || fail "$program not on PATH"
  [ "$(man -w "$program")" = "/usr/share/man/man1/$program.1.gz" ] || fail "man -w $program"
done
examples=/usr/share/doc/talveno/examples
check_batch talveno-batch "$examples" "$work" "$version"
check_window_version talveno "$version"
check_metainfo /usr/share/metainfo/io.github.talveno.talveno.metainfo.xml
# The menu entry, and the file associations the desktop database made of it.
[ -f /usr/share/applications/talveno.desktop ] || fail "no menu entry"
for type in application/x-talveno-input application/x-talveno-result; do
  [ "$(xdg-mime query default "$type")" = talveno.desktop ] ||
    fail "the desktop does not open $type with talveno: $(xdg-mime query default "$type")"
done
check_mime "$mime_type" "$examples" "$work"

apt purge talveno >/dev/null
[ ! -e /usr/bin/talveno-batch ] || fail "talveno-batch left behind"
[ "$("$mime_type" "$work/mime/cases.mpa")" != application/x-talveno-result ] ||
  fail "the MIME type left behind"
echo "installed, used and removed"
