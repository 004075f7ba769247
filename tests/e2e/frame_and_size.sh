#!/usr/bin/env bash
# End to end under a real window manager: the outer window (client plus the frame the manager
# reports in _NET_FRAME_EXTENTS) is the size-class height to the pixel; a border drag across
# the classes followed by the window-size item "変更" stores the class the user dragged to;
# copy sets the clipboard and the primary selection.
#
# Usage: frame_and_size.sh PATH/TO/vexlo WINDOW-MANAGER [DPI]
# At a DPI other than 96 the program runs as Qt runs it on such a screen (a device ratio of
# DPI / 96); the outer height is then exact to a device pixel.
# Exit status 77 (skipped) without Xvfb, xdotool, xwininfo, xprop or the window manager.
set -euo pipefail

program=${1:?usage: frame_and_size.sh PATH/TO/vexlo WINDOW-MANAGER}
manager=${2:?usage: frame_and_size.sh PATH/TO/vexlo WINDOW-MANAGER}
dpi=${3:-96}
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"
for tool in Xvfb xdotool xwininfo xprop "$manager"; do
  command -v "$tool" >/dev/null || e2e_missing "$tool"
done

work=$(mktemp -d)
pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL ($manager): $*" >&2
  for log in "$work"/*.log; do [ -s "$log" ] && { echo "--- $log" >&2; cat "$log" >&2; }; done
  exit 1
}

source "$(dirname "$0")/../../scripts/lib/xvfb.sh"
source "$(dirname "$0")/../../scripts/lib/drag.sh"
xvfb_start 1920x1080x24 -dpi "$dpi" || fail "Xvfb did not start"
pids+=("$xvfb_pid")

mkdir "$work/app" "$work/home"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work"
"$manager" >"$work/wm.log" 2>&1 &
pids+=($!)
manager_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
wait_for 200 manager_ready || fail "$manager did not start"

cp "$program" "$work/app/vexlo"
env -u QT_IM_MODULE -u XMODIFIERS -u QT_SCALE_FACTOR QT_FONT_DPI="$dpi" QT_QPA_PLATFORM=xcb \
  "$work/app/vexlo" >"$work/vexlo.log" 2>&1 &
app_pid=$!
pids+=("$app_pid")

window=""
find_window() { window=$(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | head -n 1); [ -n "$window" ]; }
wait_for 200 find_window || fail "the calculator window did not appear"

# The client's absolute geometry and the frame the manager reports: x y width height, and
# left right top bottom.
geometry() {
  xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {print x, y, w, h}'
}
extents() { xprop -id "$window" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p' | tr -d ','; }
outer_height() {
  local x y w h l r t b
  read -r x y w h < <(geometry)
  read -r l r t b < <(extents)
  echo $((h + t + b))
}
# The class height in device pixels, within one of the rounding of a device ratio.
outer_height_is() {
  within "$(outer_height)" $((($1 * dpi + 720) / 1440))
}
check_height() {
  wait_for 100 outer_height_is "$1" ||
    fail "$2: outer height $(outer_height), not $1 twips at $dpi DPI"
}
wait_for 200 test -n "$(extents)" || fail "$manager set no _NET_FRAME_EXTENTS"
# Off 96 DPI a pixel is several device pixels: sizes and places are exact to one of them.
slack=$([ "$dpi" = 96 ] && echo 0 || echo 1)
within() { [ $(($1 - $2)) -le "$slack" ] && [ $(($2 - $1)) -le "$slack" ]; }
# The window stands at the top left (FormTop and FormLeft 0): its client lies inside the frame
# once the manager has framed it.
framed() {
  local x y w h l r t b
  read -r x y w h < <(geometry)
  read -r l r t b < <(extents)
  within "$x" "$l" && within "$y" "$t"
}
wait_for 200 framed || fail "the client is not inside the frame: $(geometry) / $(extents)"

check_height 1356 "small class"

# Drags the bottom border by $1 pixels, as a user does, and waits for the snap.
drag_bottom() {
  local x y w h l r t b
  read -r x y w h < <(geometry)
  read -r l r t b < <(extents)
  drag_border $((x + w / 2)) $((y + h + (b + 1) / 2)) "$b" "$1"
}
scale=$((dpi / 48))  # drags in half-pixels of 96 DPI
drag_bottom $((10 * scale))
check_height 1620 "dragged to medium"
drag_bottom $((20 * scale))
check_height 1800 "dragged to large"
drag_bottom $((-10 * scale))
check_height 1620 "dragged back"

# "変更" stores the size: the options menu (opened from the first menu, then Right), its
# fourth item, the second entry of that submenu.
read -r x y w h < <(geometry)
xdotool mousemove $((x + 15)) $((y + 8)) click 1
sleep 0.2
xdotool key --delay 60 Right Down Down Down Right Down Return
settings="$work/app/VEXLO.INI"
stored() { grep -q '^SizeH=1620' "$settings" 2>/dev/null; }
wait_for 100 stored || fail "SizeH=1620 not stored: $(cat "$settings" 2>/dev/null)"
grep -qx 'SizeW=5295' "$settings" || fail "SizeW is not the untouched 5295: $(cat "$settings")"

# Copy: the clipboard and the primary selection both hold the display text.
if command -v xclip >/dev/null; then
  xdotool windowfocus --sync "$window"
  xdotool type --delay 30 '1234'
  xdotool key ctrl+c
  copied() { [ "$(timeout 2 xclip -o -selection "$1" 2>/dev/null)" = "1,234." ]; }
  wait_for 40 copied clipboard || fail "the clipboard does not hold 1,234."
  copied primary || fail "the primary selection does not hold 1,234."
fi

xdotool key Escape
program_ended() { ! kill -0 "$app_pid" 2>/dev/null; }
wait_for 200 program_ended || fail "Esc did not end the program"
echo "ok ($manager, $dpi DPI): outer heights of the classes, SizeH=1620 stored after the drag"
