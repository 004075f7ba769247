#!/usr/bin/env bash
# Renders the application icon's PNG sizes from its SVG (rsvg-convert, from librsvg2-bin). The
# PNGs are kept in the repository, so building and packaging need no SVG renderer; run this
# after changing data/icons/vexlo.svg and commit what it writes.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v rsvg-convert >/dev/null || { echo "rsvg-convert is missing (apt-get install librsvg2-bin)" >&2; exit 1; }
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "data/icons/${size}x${size}"
  rsvg-convert --width "$size" --height "$size" --output "data/icons/${size}x${size}/vexlo.png" \
    data/icons/vexlo.svg
done
echo "icons: 16 to 256 pixels rendered in data/icons/"
