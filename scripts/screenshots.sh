#!/usr/bin/env bash
# Makes the README's pictures in docs/: the three pages of the window and the stiffness curves
# of a result row, driven with xdotool on a
# virtual X display (Xvfb :94), and the first page of a printed listing from the batch command.
# Needs xvfb, xdotool, imagemagick and poppler-utils (scripts/setup.sh test installs them).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DTALVENO_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)" --target talveno talveno-batch

export DISPLAY=:94
work=/tmp/talveno-screenshots
rm -rf "$work"
mkdir -p "$work/studies" docs
Xvfb "$DISPLAY" -screen 0 1400x1000x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
program=
cleanup() {
  [ -n "$program" ] && kill "$program" 2>/dev/null
  kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

# Five cases of an input data file, its header lines in CP932 as the program writes them.
cases=$work/studies/cases.dat
{
  printf '%s\r\n' '　No 　 pen   soft   loadtime　temp 　asvol　 void' \
    '  　　 0.1mm   ℃  　   秒      ℃   　% 　    %' | iconv -f UTF-8 -t CP932
  printf '%3d %6.1f %6.1f %9.3f %6.1f %6.1f %6.1f\r\n' \
    1 60 50 0.02 25 12 4 2 80 47.5 0.1 10 12.3 4.5 3 40 55 1 30 10 6 \
    4 120 45 0.02 40 13 3 5 100 46 0.05 20 11.5 5
} >"$cases"

# Starts the window (with the arguments given) and waits until it is drawn.
start() {
  build/app/talveno "$@" &
  program=$!
  window=$(xdotool search --sync --onlyvisible --pid "$program" | head -n 1)
  sleep 1.5
}
stop() {
  kill "$program"
  wait "$program" 2>/dev/null || true
  program=
}
# A picture of the window, kept small: 256 colours, no metadata.
shoot() {
  import -window "$window" "$work/shot.png"
  convert "$work/shot.png" -strip +dither -colors 256 "docs/$1.png"
  echo "docs/$1.png"
}

start
shoot start-page
stop

# Opened on the file, as the file manager opens it: the input page with its rows; then the
# calculation button ("計算実行", 78 x 33 at 614, 265 of the input page).
start "$cases"
shoot input-page
xdotool mousemove --window "$window" 660 313 click 1
sleep 1
shoot result-page
# Row 2 of the result table, then Shift+Enter: its stiffness curves over the default ranges.
xdotool mousemove --window "$window" 150 172 click 1
xdotool key shift+Return
sleep 1.5
window=$(xdotool search --sync --onlyvisible --name "スティフネス曲線" | head -n 1)
shoot curves-view
stop

build/app/talveno-batch --quiet --listing "$work/studies/cases.pdf" "$cases"
pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$work/studies/cases.pdf" "$work/listing"
convert "$work/listing.png" -strip +dither -colors 64 -bordercolor gray -border 1 docs/listing.png
echo docs/listing.png
