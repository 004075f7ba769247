#!/usr/bin/env bash
# Takes the README's screenshots of the real window (docs/screenshots/): the calculator
# after an era conversion, the unit panel opened from the menu with 12 cm shown in 寸, and the
# tape window beside the calculator after a sum of receipts and the tax.
# The clicks are at the places of the default small window at 96 DPI. Then the calculator and the
# unit panel natively on Wayland at scale 1.5 (sway headless, tests/e2e/wayland/wayland.sh), as
# *-wayland.png.
set -euo pipefail
cd "$(dirname "$0")/.."
out=docs/screenshots
scripts/screenshots.sh --name calculator-ja "$out" 'h31{Space}'
# オプション, 単位変換画面, 表示する; then 12 and the target 寸.
scripts/screenshots.sh --name unit-panel "$out" \
  '{click:79,10}{wait:400}{click:107,122}{wait:400}{click:289,144}{wait:500}12{click:175,119}{wait:300}'
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
# The tape 16 pixels right of the calculator (5295 twips wide) and as tall as its lines; the
# click on the display gives the calculator the keys back, so no line is drawn as the current
# one. The screen is cut to the two windows, the black around them made transparent.
printf '[VEXLO]\nTapeLeft=5535\nTapeTop=0\nTapeWidth=4200\nTapeHeight=3000\n' >"$shots/tape.ini"
scripts/screenshots.sh --screen --settings "$shots/tape.ini" --name tape-screen "$shots" \
  '1000+480+1200+350+2100={Ctrl+K}{Ctrl+P}{wait:700}{click:150,45}{wait:300}'
convert "$shots/tape-screen.png" -bordercolor black -border 1 -fill none \
  -draw 'color 0,0 floodfill' -trim +repage "$out/tape.png"
# The Wayland pictures come from the e2e scenarios that make them, cropped to the window.
for run in docs_calculator:calculator-ja:calculator-ja unit_panel:panel:unit-panel; do
  IFS=: read -r scenario shot picture <<<"$run"
  WAYLAND_SCALE=1.5 bash tests/e2e/wayland/wayland.sh "$scenario" build/bin/vexlo "$shots"
  cp "$shots/wayland-$scenario-scale1.5-$shot.png" "$out/$picture-wayland.png"
done
