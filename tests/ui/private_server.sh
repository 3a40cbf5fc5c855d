# Sourced by the scripts that run a command beside a private server (private_cups.sh,
# private_x.sh): a fresh temporary folder `dir`; the server (its process id in `server`) and
# the command stopped and the folder removed however the run ends.
# Usage: . private_server.sh NAME
dir=$(mktemp -d "${TMPDIR:-/tmp}/talveno-$1-XXXXXX")
server=
command=
stop() {
  for pid in $command $server; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$dir"
}
trap stop EXIT
trap 'exit 143' INT TERM HUP

# Runs the command and exits with its status.
run_command() {
  "$@" &
  command=$!
  local status=0
  wait "$command" || status=$?
  command=
  exit "$status"
}
