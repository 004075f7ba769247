#!/usr/bin/env bash
# End to end: the real calculator window on a private X server, typed with real key events.
# 1 2 * 3 Enter, then Esc closes the window, and the display text must be in the settings file,
# which lives beside the program because its directory is writable.
#
# Usage: type_and_exit.sh PATH/TO/vexlo      Exit status 77 (skipped) without Xvfb or xdotool.
set -euo pipefail

program=${1:?usage: type_and_exit.sh PATH/TO/vexlo}
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || e2e_missing "$tool"
done

work=$(mktemp -d)
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && wait "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  for log in "$work"/*.log; do [ -s "$log" ] && { echo "--- $log" >&2; cat "$log" >&2; }; done
  exit 1
}

source "$(dirname "$0")/../../scripts/lib/xvfb.sh"
xvfb_start || fail "Xvfb did not start"

# A copy of the program in a fresh writable directory: its settings file is created there, and
# the user's configuration directory is never looked at.
mkdir "$work/app" "$work/home"
cp "$program" "$work/app/vexlo"
env -u QT_IM_MODULE -u XMODIFIERS QT_QPA_PLATFORM=xcb HOME="$work/home" \
  XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work" \
  "$work/app/vexlo" >"$work/vexlo.log" 2>&1 &
app_pid=$!

window=""
find_window() { window=$(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | head -n 1); [ -n "$window" ]; }
wait_for 100 find_window || fail "the calculator window did not appear"

timeout 10 xdotool windowfocus --sync "$window" || fail "the window did not take the focus"
timeout 10 xdotool type --delay 40 '12*3' || fail "typing failed"
timeout 10 xdotool key --delay 40 Return Escape || fail "pressing Return and Escape failed"

program_ended() { ! kill -0 "$app_pid" 2>/dev/null; }
wait_for 100 program_ended || fail "Esc did not end the program"
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"

settings="$work/app/VEXLO.INI"
[ -f "$settings" ] || fail "no settings file beside the program"
grep -qx 'Dumy=36\.' "$settings" || fail "Dumy is not 36.: $(cat "$settings")"
[ ! -e "$work/home/.config/vexlo" ] || fail "a settings file was written to the user's directory"
echo "ok: Dumy=36. in $settings"
