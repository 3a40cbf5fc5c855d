#!/usr/bin/env bash
# Builds the user guide in Japanese, docs/guide/guide.md, into one HTML file with its style
# sheet and pictures inside (pandoc) and into a PDF of A4 pages with page numbers, printed from
# that HTML file by headless Chromium.
# Usage: scripts/build-guide.sh [FOLDER]   (default build-guide): writes
# FOLDER/talveno-guide-ja.html and FOLDER/talveno-guide-ja.pdf and prints their paths.
set -euo pipefail
source_folder=$(cd "$(dirname "$0")/.." && pwd)
folder=$(realpath -m "${1:-$source_folder/build-guide}")
"$source_folder/scripts/setup.sh" guide >&2
mkdir -p "$folder"
html=$folder/talveno-guide-ja.html
pdf=$folder/talveno-guide-ja.pdf

# Pictures are found from the guide's own folder; no "smart" typography, so that the program's
# texts keep their quotes and hyphens.
(cd "$source_folder/docs/guide" &&
  pandoc guide.md --from markdown-smart+east_asian_line_breaks+ascii_identifiers --columns=1000 --standalone --self-contained --mathml --to html5 \
    --toc --toc-depth=2 --number-sections --css guide.css \
    --metadata pagetitle="Talveno 利用の手引き" --output "$html.new")
mv "$html.new" "$html"

# Chromium prints with a profile of its own, removed afterwards; its chatter on standard error
# is shown only when it fails.
profile=$(mktemp -d)
log=$(mktemp)
trap 'rm -rf "$profile" "$log"' EXIT
rm -f "$pdf"
if ! chromium --headless --no-sandbox --disable-gpu --no-first-run --user-data-dir="$profile" \
  --no-pdf-header-footer --print-to-pdf="$pdf" "file://$html" >"$log" 2>&1 || [ ! -s "$pdf" ]; then
  cat "$log" >&2
  echo "Chromium did not print $pdf" >&2
  exit 1
fi
echo "$html"
echo "$pdf"
