#!/usr/bin/env bash
# End to end on a native Wayland compositor: sway headless, run as an unprivileged user the
# script sets up (sway refuses root), the calculator on Qt's wayland plugin, keys from a virtual
# keyboard (wtype), the pointer from sway's seat commands, the display read over the
# accessibility bus, the clipboard through wl-paste, screenshots with grim.
#
# Usage: wayland.sh NAME PATH/TO/vexlo SCREENS_DIR
# Exit status 77 (skipped) where a tool is missing; on CI (CI=true) a missing tool fails.
set -euo pipefail

name=${1:?usage: wayland.sh NAME PATH/TO/vexlo SCREENS_DIR}
program=${2:?}
screens=${3:?}
here=$(cd "$(dirname "$0")" && pwd)
user=vexlo-e2e
# shellcheck source=../common.sh
source "$here/../common.sh"


if [ -z "${WAYLAND_E2E_INNER:-}" ]; then
  for tool in sway swaymsg wtype grim wl-paste dbus-run-session setpriv; do
    command -v "$tool" >/dev/null || e2e_missing "$tool"
  done
  /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || e2e_missing python3-pyatspi
  [ -e /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqwayland-generic.so ] ||
    [ -n "$(find /usr/lib -path '*qt6/plugins/platforms/libqwayland*' -print -quit 2>/dev/null)" ] ||
    e2e_missing "Qt's wayland plugin (qt6-wayland)"
  if [ "$(id -u)" -eq 0 ]; then
    id "$user" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$user"
    as_user=(setpriv --reuid="$user" --regid="$(id -g "$user")" --clear-groups)
  else
    as_user=()
  fi
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  chmod 755 "$work"
  mkdir -p "$work/app" "$work/home" "$screens"
  mkdir -m 700 "$work/run"
  cp "$program" "$work/app/vexlo"
  # A stored position far right of every output.
  [ "$name" = offscreen_position ] && VEXLO_INI=${VEXLO_INI:-$'[VEXLO]\nFormTop=300\nFormLeft=30000'}
  [ -n "${VEXLO_INI:-}" ] && printf '%s\n' "$VEXLO_INI" >"$work/app/VEXLO.INI"
  [ "$(id -u)" -eq 0 ] && chown -R "$user" "$work"
  chmod 777 "$screens" 2>/dev/null || true
  status=0
  "${as_user[@]}" env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_RUNTIME_DIR="$work/run" \
    WAYLAND_E2E_INNER=1 E2E_WORK="$work" E2E_WAIT="${E2E_WAIT:-10}" WAYLAND_SCALE="${WAYLAND_SCALE:-1}" \
    LANG=C.UTF-8 \
    timeout 100 dbus-run-session -- bash "$0" "$name" "$work/app/vexlo" "$screens" || status=$?
  exit "$status"
fi

work=$E2E_WORK
# Screenshots name the scale where it is not 1, so runs at two scales keep both.
shots=$screens/wayland-$name$([ "$WAYLAND_SCALE" = 1 ] || echo "-scale$WAYLAND_SCALE")
e2e_python=/usr/bin/python3
sway_pid=""
app_pid=""
cleanup() {
  set +e
  for pid in "$app_pid" "$sway_pid"; do
    [ -n "$pid" ] && { kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; }
  done
}
trap cleanup EXIT

fail() {
  echo "FAIL ($name, wayland): $*" >&2
  [ -n "${WAYLAND_DISPLAY:-}" ] && timeout 5 grim "$shots-failed.png" 2>/dev/null
  for log in "$work"/*.log; do [ -s "$log" ] && { echo "--- $log" >&2; tail -n 30 "$log" >&2; }; done
  exit 1
}

cat >"$work/sway.conf" <<CONF
output HEADLESS-1 resolution 1280x800 position 0 0 scale ${WAYLAND_SCALE:-1}
for_window [app_id="example.vexlo.Vexlo"] floating enable
default_floating_border normal 2
xwayland disable
CONF
WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 sway -c "$work/sway.conf" >"$work/sway.log" 2>&1 &
sway_pid=$!
socket() { ls "$XDG_RUNTIME_DIR" 2>/dev/null | grep -m1 '^wayland-[0-9]*$'; }
has_socket() { [ -n "$(socket)" ]; }
wait_for has_socket || fail "sway did not start"
export WAYLAND_DISPLAY
WAYLAND_DISPLAY=$(socket)
export SWAYSOCK
SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock | head -n 1)
wait_for swaymsg -t get_version >/dev/null 2>&1 || fail "sway does not answer"

# The calculator as the session starts it: no platform chosen, so it takes native Wayland.
env -u QT_QPA_PLATFORM QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 XDG_SESSION_TYPE=wayland \
  "$work/app/vexlo" >>"$work/vexlo.log" 2>&1 &
app_pid=$!

# The calculator's container in sway's tree: x y width height of the frame below the title bar,
# then of the client within it, then the title bar's height.
geometry() {
  swaymsg -t get_tree | "$e2e_python" -c '
import json, sys
def walk(node):
    if node.get("app_id") == "example.vexlo.Vexlo":
        r, w = node["rect"], node["window_rect"]
        print(r["x"], r["y"], r["width"], r["height"], w["x"], w["y"], w["width"], w["height"],
              node["deco_rect"]["height"])
        sys.exit(0)
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        walk(child)
walk(json.load(sys.stdin))
sys.exit(1)'
}
wait_for geometry >/dev/null || fail "the calculator window did not appear"
a11y() { "$e2e_python" "$here/../scenarios/a11y.py" "$app_pid" "$@" || fail "a11y $*"; }
a11y ready
# Each wtype is a new virtual keyboard, whose first key sway 1.7 may drop: a harmless key first.
type_text() { wtype -k Shift_L -d 30 "$1" || fail "typing $1 failed"; }
press() { wtype -k Shift_L -k "$1" || fail "pressing $1 failed"; }
expect_display() { a11y expect display "$1"; }
# The window with its title bar, in the output's own pixels (WAYLAND_SCALE of them a point).
screenshot() {
  local fx fy fw fh title
  read -r fx fy fw fh _ _ _ _ title < <(geometry)
  timeout 10 grim -g "$fx,$((fy - title)) ${fw}x$((fh + title))" "$shots-$1.png" ||
    fail "no screenshot $1"
}
client_height() { geometry | cut -d' ' -f8; }
client_width() { geometry | cut -d' ' -f7; }
height_is() { [ "$(client_height)" = "$1" ]; }
# The client height of a size class (outer twips at 96 DPI, the compositor's frame outside it).
expect_class() {
  wait_for height_is $((($1 + 7) / 15)) ||
    fail "the client is $(client_height) high, not the $1-twip class ($(geometry))"
}

# The pointer is a virtual pointer (pointer.py) on the output layout; a11y.py's clicks land
# through it at the window's client origin, since the bus reports places within the window.
layout_size() {
  swaymsg -t get_outputs | "$e2e_python" -c '
import json, sys
outputs = [o["rect"] for o in json.load(sys.stdin) if o.get("active")]
print(max(r["x"] + r["width"] for r in outputs), max(r["y"] + r["height"] for r in outputs))'
}
pointer() {
  # shellcheck disable=SC2046
  "$e2e_python" "$here/pointer.py" $(layout_size) "$@" || fail "pointer $*"
}
a11y_click() {
  local fx fy wx wy
  read -r fx fy _ _ wx wy _ < <(geometry)
  E2E_POINTER="$e2e_python $here/pointer.py $(layout_size) offset $((fx + wx)) $((fy + wy))" \
    a11y "$@"
}

# drag_bottom PIXELS [PAUSE]: the pointer on the frame's bottom border, pressed, moved in four
# steps, held still PAUSE seconds, released.
drag_bottom() {
  local fx fy fw fh
  read -r fx fy fw fh _ < <(geometry)
  local x=$((fx + fw / 2)) y=$((fy + fh - 1)) step steps=()
  for step in 1 2 3 4; do steps+=(move "$x" $((y + $1 * step / 4)) wait 0.05); done
  pointer move "$x" $((y - 20)) wait 0.05 move "$x" "$y" wait 0.05 press wait 0.05 \
    "${steps[@]}" wait "${2:-0}" release
}

scenario_arithmetic_and_copy() {
  type_text 12*3
  press Return
  expect_display 36.
  wtype -k Shift_L -M ctrl c -m ctrl
  pasted() { [ "$(timeout 2 wl-paste -n 2>/dev/null)" = "$1" ]; }
  wait_for pasted 36. ||
    fail "wl-paste gives '$(timeout 2 wl-paste -n 2>&1)', not 36."
  screenshot result
}

# The README's picture beside the X11 one: an era conversion.
scenario_docs_calculator() {
  type_text h31
  press space
  expect_display 2019年
  screenshot calculator-ja
}

scenario_unit_panel() {
  a11y_click menu オプション 単位変換画面 表示する
  type_text 12
  a11y_click click-right 寸
  expect_display 3.96寸
  screenshot panel
  local before
  before=$(client_height)
  # Held still at 80 pixels up: the compositor must already keep the panel whole.
  drag_bottom -80 1 &
  local dragging=$!
  sleep 0.7
  local held
  held=$(client_height)
  wait "$dragging" || fail "the drag failed"
  [ "$held" = "$before" ] || fail "while dragged the panel is $held high, not $before"
  sleep 0.5
  [ "$(client_height)" = "$before" ] || fail "the panel was dragged to $(client_height), not $before"
  [ "$(client_width)" = 293 ] || fail "the panel is $(client_width) wide"
  expect_display 3.96寸
}

scenario_drag() {
  expect_class 1356
  drag_bottom 15 1.2  # a slow drag: held still before the release
  expect_class 1620
  drag_bottom 40      # released at once: the compositor's last configure comes after
  expect_class 1800
  drag_bottom -25 0.5
  expect_class 1620
  screenshot medium
}

scenario_offscreen_position() {
  local fx fy fw fh
  read -r fx fy fw fh _ < <(geometry)
  [ "$fx" -ge 0 ] && [ "$fy" -ge 0 ] && [ $((fx + fw)) -le 1280 ] && [ $((fy + fh)) -le 800 ] ||
    fail "the window is at $fx,$fy ${fw}x$fh, off the 1280x800 output"
  a11y_click menu オプション ウインドウ位置を保存
  sleep 0.3
  grep -qx 'FormLeft=30000' "$work/app/VEXLO.INI" ||
    fail "the stored position was not kept: $(cat "$work/app/VEXLO.INI")"
}

declare -F "scenario_$name" >/dev/null || fail "no scenario $name"
"scenario_$name"
# A new virtual keyboard's first keys may be dropped under load (after a drag most of all):
# Esc is pressed again while the program still runs. A second Esc is harmless, since the
# first one ends the program.
ended() { ! kill -0 "$app_pid" 2>/dev/null; }
for attempt in 1 2 3; do
  press Escape
  E2E_WAIT=3 wait_for ended && break
done
ended || fail "Esc did not end the program"
app_pid=""
echo "ok: $name (wayland)"
