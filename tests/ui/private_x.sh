#!/usr/bin/env bash
# Runs a command on a private X server of its own: an Xvfb on the first free display number,
# started here and stopped however the run ends. Exits 77 (a skipped test) when no Xvfb can
# start. Usage: tests/ui/private_x.sh COMMAND [ARGUMENT...]
set -euo pipefail

. "$(dirname "$0")/private_server.sh" x

if ! command -v Xvfb >/dev/null; then
  echo "private_x.sh: no Xvfb; skipped" >&2
  exit 77
fi
# Xvfb picks a free display itself and writes its number once it takes connections. It ends
# with this script, even when the script is killed outright.
setpriv --pdeathsig TERM Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
  3>"$dir/display" 2>"$dir/log" &
server=$!
for _ in $(seq 200); do
  [ -s "$dir/display" ] && break
  kill -0 "$server" 2>/dev/null || break
  sleep 0.05
done
if [ ! -s "$dir/display" ]; then
  echo "private_x.sh: Xvfb did not start; skipped" >&2
  cat "$dir/log" >&2 || true
  exit 77
fi

export DISPLAY=":$(tr -d '[:space:]' <"$dir/display")" QT_QPA_PLATFORM=xcb
run_command "$@"
