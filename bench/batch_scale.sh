#!/usr/bin/env bash
# The batch command as a whole process on 1,000,000 and 10,000 varied rows: median wall time
# (hyperfine) and peak memory (/usr/bin/time -v), with one computing thread and with the
# default (one per processor). Run by hand on a quiet machine; prints the load before and after.
# Usage: bench/batch_scale.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build="${1:-build}"
runs="${2:-10}"
batch="$build/app/talveno-batch"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Varied rows that all compute, the same on every run (a fixed linear congruential sequence).
rows_file() {
  awk -v rows="$1" 'BEGIN {
    printf "header\r\nunits\r\n"; s = 12345;
    for (k = 1; k <= rows; k++) {
      s = (s * 1103515245 + 12345) % 2147483648; pen = 30 + (s % 1500) / 10;
      s = (s * 1103515245 + 12345) % 2147483648; tsp = 40 + (s % 250) / 10;
      s = (s * 1103515245 + 12345) % 2147483648; t = 10 ^ (-2 + (s % 300) / 100);
      s = (s * 1103515245 + 12345) % 2147483648; T = -10 + (s % 600) / 10;
      s = (s * 1103515245 + 12345) % 2147483648; vb = 8 + (s % 80) / 10;
      s = (s * 1103515245 + 12345) % 2147483648; va = 2 + (s % 60) / 10;
      printf "%3d %7.1f%7.1f%10.3f%7.1f%7.1f%7.1f\r\n", k, pen, tsp, t, T, vb, va;
    }
  }' > "$2"
}

echo "load before: $(uptime | sed 's/.*load average: //')"
rows_file 1000000 "$work/1m.dat"
rows_file 10000 "$work/10k.dat"
for input in 1m 10k; do
  for threads in 1 default; do
    option=""
    [ "$threads" = 1 ] && option="--threads 1"
    command="$batch --quiet --van-draat $option -o $work/out.mpa $work/$input.dat"
    hyperfine --style none --runs "$runs" --warmup 1 --export-csv "$work/times.csv" "$command" \
      >/dev/null
    median=$(awk -F, 'NR == 2 { printf "%.3f", $4 }' "$work/times.csv")
    peak=$( { /usr/bin/time -v $command; } 2>&1 |
      awk -F': ' '/Maximum resident/ { printf "%.1f", $2 / 1024 }')
    printf '%-4s rows, threads %-7s median %s s, peak %s MB\n' "$input" "$threads" "$median" "$peak"
  done
done
echo "load after: $(uptime | sed 's/.*load average: //')"
