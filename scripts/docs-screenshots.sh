#!/usr/bin/env bash
# Takes the README's two screenshots of the real window (docs/screenshots/): the calculator
# after an era conversion, and the unit panel opened from the menu with 12 cm shown in 寸.
# The clicks are at the places of the default small window at 96 DPI.
set -euo pipefail
cd "$(dirname "$0")/.."
out=docs/screenshots
scripts/screenshots.sh --name calculator-ja "$out" 'h31{Space}'
# オプション, 単位変換画面, 表示する; then 12 and the target 寸.
scripts/screenshots.sh --name unit-panel "$out" \
  '{click:79,10}{wait:400}{click:107,122}{wait:400}{click:289,144}{wait:500}12{click:175,119}{wait:300}'
