#!/usr/bin/env bash
# Runs a command beside a private CUPS server of its own, with two PDF printers: "TalvenoPDF",
# the default printer, whose jobs go to the file named by TALVENO_PRINTED, and "TalvenoOther",
# whose jobs go to the file named by TALVENO_PRINTED_OTHER. The server lives
# in a fresh temporary folder; it is stopped and the folder removed however the run ends.
# Exits 77 (a skipped test) where CUPS, or poppler's pdftotext that reads the jobs, is missing.
# Usage: tests/ui/private_cups.sh COMMAND [ARGUMENT...]
set -euo pipefail

. "$(dirname "$0")/private_server.sh" cups

ppd=/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd
for tool in /usr/sbin/cupsd lpadmin lpstat pdftotext; do
  if ! command -v "$tool" >/dev/null; then
    echo "private_cups.sh: no $tool (CUPS or poppler-utils is not installed); skipped" >&2
    exit 77
  fi
done
if [ ! -f "$ppd" ]; then
  echo "private_cups.sh: no $ppd (cups-filters is not installed); skipped" >&2
  exit 77
fi

mkdir -p "$dir"/etc/ppd "$dir"/spool/tmp "$dir"/run "$dir"/cache "$dir"/log "$dir"/out
# The filters run as another user: they read the spool and write temporary files.
chmod 755 "$dir"
chmod 1777 "$dir/spool/tmp"
cat >"$dir/etc/cupsd.conf" <<END
Listen $dir/run/cups.sock
Browsing No
WebInterface No
LogLevel warn
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
END
cat >"$dir/etc/cups-files.conf" <<END
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/spool/tmp
StateDir $dir/run
CacheDir $dir/cache
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
Printcap $dir/run/printcap
SystemGroup root
FileDevice Yes
END

export CUPS_SERVER="$dir/run/cups.sock" CUPS_SERVERROOT="$dir/etc"
# The server ends with this script, even when the script is killed outright.
setpriv --pdeathsig TERM /usr/sbin/cupsd -f -c "$dir/etc/cupsd.conf" \
  -s "$dir/etc/cups-files.conf" &
server=$!
for _ in $(seq 200); do
  [ "$(lpstat -r 2>/dev/null)" = "scheduler is running" ] && break
  sleep 0.05
done
if [ "$(lpstat -r 2>/dev/null)" != "scheduler is running" ]; then
  echo "private_cups.sh: the CUPS server did not start" >&2
  cat "$dir/log/error_log" >&2 2>/dev/null || true
  exit 1
fi
# A PPD printer on a file device: lpadmin warns that drivers are deprecated, and says nothing
# else unless it fails.
for queue in TalvenoPDF:job TalvenoOther:other; do
  lpadmin -p "${queue%%:*}" -E -v "file://$dir/out/${queue#*:}.pdf" \
    -P "$ppd" 2>"$dir/log/lpadmin" ||
    { cat "$dir/log/lpadmin" >&2; exit 1; }
  lpadmin -p "${queue%%:*}" -o PageSize=A4
done
lpadmin -d TalvenoPDF

export TALVENO_PRINTED="$dir/out/job.pdf" TALVENO_PRINTED_OTHER="$dir/out/other.pdf"
run_command "$@"
