#!/usr/bin/env bash
# Takes the README's screenshots of the real window (docs/screenshots/): the calculator
# after an era conversion, and the unit panel opened from the menu with 12 cm shown in 寸.
# The clicks are at the places of the default small window at 96 DPI. Then the same two natively
# on Wayland at scale 1.5 (sway headless, tests/e2e/wayland/wayland.sh), as *-wayland.png.
set -euo pipefail
cd "$(dirname "$0")/.."
out=docs/screenshots
scripts/screenshots.sh --name calculator-ja "$out" 'h31{Space}'
# オプション, 単位変換画面, 表示する; then 12 and the target 寸.
scripts/screenshots.sh --name unit-panel "$out" \
  '{click:79,10}{wait:400}{click:107,122}{wait:400}{click:289,144}{wait:500}12{click:175,119}{wait:300}'
# The Wayland pictures come from the e2e scenarios that make them, cropped to the window.
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
for run in docs_calculator:calculator-ja:calculator-ja unit_panel:panel:unit-panel; do
  IFS=: read -r scenario shot picture <<<"$run"
  WAYLAND_SCALE=1.5 bash tests/e2e/wayland/wayland.sh "$scenario" build/bin/vexlo "$shots"
  cp "$shots/wayland-$scenario-scale1.5-$shot.png" "$out/$picture-wayland.png"
done
