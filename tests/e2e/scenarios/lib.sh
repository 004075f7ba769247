# shellcheck shell=bash
# Shared by the end-to-end scenarios (sourced): a private X server with openbox and a private
# session bus, the real program started and stopped, real keys and clicks, and checks on what
# the program shows (the display over the accessibility bus, the window title, the screen) and
# leaves (the settings file, the clipboard). Every wait gives up after E2E_WAIT seconds.
#
# A scenario calls e2e_begin once, then any of the steps below; on a failed check it prints
# what it saw and the logs, keeps a screenshot and exits 1.

e2e_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$e2e_here/../../../scripts/lib/drag.sh"
source "$e2e_here/../common.sh"
e2e_python=/usr/bin/python3 # the system's, which has the accessibility bindings

e2e_work=""
e2e_name=""
e2e_screens=""
e2e_xvfb_pid=""
e2e_wm_pid=""
app_pid=""
app_window=""

# Skips (or on CI fails) unless every tool is installed.
e2e_require() {
  local tool
  for tool in Xvfb openbox xdotool xprop xclip import dbus-run-session; do
    command -v "$tool" >/dev/null || e2e_missing "$tool"
  done
  "$e2e_python" -c 'import pyatspi' 2>/dev/null || e2e_missing python3-pyatspi
}

e2e_cleanup() {
  set +e # every process is ended, whatever the first kill says
  local pid
  for pid in "$app_pid" "$e2e_wm_pid" "$e2e_xvfb_pid"; do
    [ -n "$pid" ] || continue
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
}

fail() {
  echo "FAIL ($e2e_name): $*" >&2
  [ -n "$e2e_screens" ] && [ -n "${DISPLAY:-}" ] &&
    timeout 10 import -window root "$e2e_screens/$e2e_name-failed.png" 2>/dev/null
  local log
  for log in "$e2e_work"/*.log; do [ -s "$log" ] && { echo "--- $log" >&2; tail -n 40 "$log" >&2; }; done
  exit 1
}

# e2e_own_session SCRIPT ARGS...: outside a session of its own, runs SCRIPT ARGS again on a
# session bus of its own, so the accessibility bus and its registry end with it, and with a
# runtime directory of its own for the accessibility bus's socket (in a shared one, a run that
# ended could remove the socket of the next run on the same display number); then exits with
# its status. Inside one, it returns.
e2e_session_work=""
e2e_own_session() {
  [ -z "${E2E_WORK:-}" ] || return 0
  e2e_session_work=$(mktemp -d)
  trap 'rm -rf "$e2e_session_work"' EXIT
  mkdir -m 700 "$e2e_session_work/runtime"
  local status=0
  E2E_WORK=$e2e_session_work XDG_RUNTIME_DIR=$e2e_session_work/runtime \
    timeout 100 dbus-run-session -- bash "$@" || status=$?
  exit "$status"
}

# e2e_begin NAME SCREENS_DIR: the X server (a free display of its choosing, at E2E_DPI, 96 by
# default, and no Xft.dpi: Qt stays at 96 while openbox draws its title at the server's DPI)
# and openbox (its title bar's font at E2E_TITLE_POINTS where that is set).
# The caller runs on a session bus of its own (dbus-run-session), which the accessibility bus
# is started from.
e2e_begin() {
  e2e_name=$1
  e2e_screens=$2
  mkdir -p "$e2e_screens"
  e2e_work=${E2E_WORK:?the scenario runs in a work directory of its own}
  trap e2e_cleanup EXIT
  mkdir "$e2e_work/app" "$e2e_work/home"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -dpi "${E2E_DPI:-96}" -nolisten tcp 3>"$e2e_work/display" \
    >"$e2e_work/xvfb.log" 2>&1 &
  e2e_xvfb_pid=$!
  wait_for test -s "$e2e_work/display" || fail "Xvfb did not start"
  DISPLAY=":$(head -n 1 "$e2e_work/display")"
  export DISPLAY
  local config=()
  if [ -n "${E2E_TITLE_POINTS:-}" ]; then
    # The title bar's font at that many points: a taller title bar, as a desktop's theme has.
    sed '/<font place="\(Active\|Inactive\)Window">/,/<\/font>/s|<size>[0-9]*</size>|<size>'"$E2E_TITLE_POINTS"'</size>|' \
      /etc/xdg/openbox/rc.xml >"$e2e_work/openbox-rc.xml" || fail "no openbox rc.xml to start from"
    config=(--config-file "$e2e_work/openbox-rc.xml")
  fi
  openbox --sm-disable "${config[@]}" >"$e2e_work/openbox.log" 2>&1 &
  e2e_wm_pid=$!
  wait_for wm_running || fail "openbox did not start"
}

wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# app_start PROGRAM: a start of the program copied into the scenario's own writable directory,
# so its settings file is made there and kept from one start to the next; returns once the
# window is shown, has the focus and is on the accessibility bus.
app_start() {
  [ -x "$e2e_work/app/vexlo" ] || cp "$1" "$e2e_work/app/vexlo"
  env -u QT_IM_MODULE -u XMODIFIERS QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    HOME="$e2e_work/home" XDG_CONFIG_HOME="$e2e_work/home/.config" \
    "$e2e_work/app/vexlo" >>"$e2e_work/vexlo.log" 2>&1 &
  app_pid=$!
  wait_for find_app_window || fail "the calculator window did not appear"
  timeout "$E2E_WAIT" xdotool windowactivate --sync "$app_window" 2>/dev/null ||
    fail "the window did not take the focus"
  a11y ready
}

find_app_window() {
  app_window=$(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | head -n 1)
  [ -n "$app_window" ]
}

app_ended() { ! kill -0 "$app_pid" 2>/dev/null; }

# app_quit [KEY]: the key (Esc by default) must end the program, with status 0.
app_quit() {
  press "${1:-Escape}"
  wait_for app_ended || fail "${1:-Escape} did not end the program"
  local status=0
  wait "$app_pid" || status=$?
  app_pid=""
  [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

a11y_try() { "$e2e_python" "$e2e_here/a11y.py" "$app_pid" "$@"; }
a11y() { a11y_try "$@" || fail "a11y $*"; }

# Real key events (XTEST) to the focused window: text typed character by character, or keys
# by their X names (Return, ctrl+k, space).
type_text() { timeout "$E2E_WAIT" xdotool type --delay 30 "$1" || fail "typing $1 failed"; }
press() { timeout "$E2E_WAIT" xdotool key --delay 30 "$@" || fail "pressing $* failed"; }

menu() { a11y menu "$@"; }
click() { a11y click "$@"; }
# The unit panel's units by name: a source on the left, a target box on the right.
click_source() { a11y click-left "$1"; }
click_target() { a11y click-right "$1"; }

# choose_colour #RRGGBB: in the colour dialog, the colour typed as its HTML text, then OK.
choose_colour() {
  click HTML: text
  press ctrl+a
  type_text "$1"
  click OK 'push button'
}

expect_display() { a11y expect display "$1"; }
expect_mark() { a11y expect mark "$1"; }
# expect_display_name NAME: screen readers announce the display by that name.
expect_display_name() {
  [ "$(a11y name display)" = "$1" ] || fail "the display is named '$(a11y name display)', not '$1'"
}

# A font file the program has open: FreeType maps each face it loads.
face_loaded() { grep -q "$1" "/proc/$app_pid/maps"; }
expect_face_loaded() { wait_for face_loaded "$1" || fail "no face $1 was loaded"; }
expect_face_not_loaded() { ! face_loaded "$1" || fail "the face $1 is loaded already"; }

# expect_setting KEY VALUE: the settings file holds the line KEY=VALUE.
expect_setting() {
  wait_for grep -qFx "$1=$2" "$e2e_work/app/VEXLO.INI" 2>/dev/null ||
    fail "no line $1=$2 in the settings file: $(cat "$e2e_work/app/VEXLO.INI" 2>&1)"
}

clipboard_is() { [ "$(timeout 2 xclip -o -selection clipboard 2>/dev/null)" = "$1" ]; }
expect_clipboard() {
  wait_for clipboard_is "$1" ||
    fail "the clipboard holds '$(timeout 2 xclip -o -selection clipboard 2>&1)', not '$1'"
}

title_is() { [ "$(xdotool getwindowname "$app_window" 2>/dev/null)" = "$1" ]; }
expect_title() {
  wait_for title_is "$1" || fail "the title is '$(xdotool getwindowname "$app_window")', not '$1'"
}

# set_root_atoms PROPERTY ATOM...: the root window's PROPERTY as that list of atoms, as a window
# manager sets _NET_SUPPORTED (xprop -set makes one atom of a list).
set_root_atoms() {
  "$e2e_python" - "$@" <<'PY' || fail "could not set $1 on the root window"
import ctypes, sys
x = ctypes.CDLL("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XDefaultRootWindow.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XInternAtom.restype = ctypes.c_ulong
x.XChangeProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_ulong,
                              ctypes.c_int, ctypes.c_int, ctypes.c_void_p, ctypes.c_int]
display = x.XOpenDisplay(None)
if not display:
    sys.exit("no display")
atoms = (ctypes.c_ulong * len(sys.argv[2:]))(*[x.XInternAtom(display, a.encode(), 0) for a in sys.argv[2:]])
x.XChangeProperty(display, x.XDefaultRootWindow(display), x.XInternAtom(display, sys.argv[1].encode(), 0),
                  4, 32, 0, atoms, len(atoms))  # XA_ATOM, PropModeReplace
x.XCloseDisplay.argtypes = [ctypes.c_void_p]
x.XCloseDisplay(display)
PY
}

# The colour of one pixel of the screen, as #RRGGBB.
pixel_at() {
  timeout "$E2E_WAIT" import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
    grep -o '#[0-9A-Fa-f]\{6\}' | head -n 1
}

# The colour of the display, as #RRGGBB: a pixel at the middle of its left quarter, clear of
# the digits at its right.
display_colour() {
  local x y width height
  read -r x y width height < <(a11y_try extents display)
  pixel_at $((x + width / 4)) $((y + height / 2))
}
display_colour_is() { [ "$(display_colour)" = "$1" ]; }
expect_display_colour() {
  wait_for display_colour_is "$1" || fail "the display is $(display_colour), not $1"
}

# screenshot LABEL: the whole screen, kept as build/screens/SCENARIO-LABEL.png.
screenshot() {
  timeout "$E2E_WAIT" import -window root "$e2e_screens/$e2e_name-$1.png" ||
    fail "no screenshot $1"
}

# The client area on the screen (x y width height) and the frame openbox puts round it
# (left right top bottom).
client_geometry() {
  xwininfo -id "$app_window" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {print x, y, w, h}'
}
frame_extents() { xprop -id "$app_window" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p' | tr -d ','; }

# drag_bottom_border PIXELS [HOLD]: a press on the frame's bottom border, a move down (or up,
# when negative) in four steps, a release (HOLD seconds later), as a user drags it.
drag_bottom_border() {
  local x y width height bottom
  read -r x y width height < <(client_geometry)
  read -r _ _ _ bottom < <(frame_extents)
  drag_border $((x + width / 2)) $((y + height + (bottom + 1) / 2)) "$bottom" "$1" "${2:-0}"
}

# expect_size_class TWIPS: the window has settled at that outer height (frame included) and
# the display at that height less 950, as the screen's 15 twips a pixel make them.
window_settled_at() {
  local x y width height top bottom
  read -r x y width height < <(client_geometry)
  read -r _ _ top bottom < <(frame_extents)
  [ $((height + top + bottom)) -eq $((($1 + 7) / 15)) ] || return 1
  read -r x y width height < <(a11y_try extents display)
  [ "$height" -eq $((($1 - 950 + 7) / 15)) ]
}
expect_size_class() {
  wait_for window_settled_at "$1" ||
    fail "not settled at $1 twips: client $(client_geometry), frame $(frame_extents)," \
      "display $(a11y_try extents display)"
}

# The frame's top left corner on the screen: x y.
frame_corner() {
  local x y width height left top
  read -r x y width height < <(client_geometry)
  read -r left _ top _ < <(frame_extents)
  echo $((x - left)) $((y - top))
}

# move_window X Y: the manager moves the window there. Whether the client area's corner or the
# frame's lands on X Y depends on when the window takes the move as its own outer position.
client_at() { [ "$(client_geometry | cut -d' ' -f1-2)" = "$1 $2" ]; }
moved_to() { client_at "$1" "$2" || [ "$(frame_corner)" = "$1 $2" ]; }
move_window() {
  timeout "$E2E_WAIT" xdotool windowmove --sync "$app_window" "$1" "$2" >/dev/null ||
    fail "the window was not moved"
  wait_for moved_to "$1" "$2" || fail "the window is at $(client_geometry), not $1 $2"
}

# expect_popup_at_window MENU: the popup menu MENU is open at the frame's top left corner.
popup_at_window() {
  [ "$(a11y_try extents "$1" 'popup menu' | cut -d' ' -f1-2)" = "$(frame_corner)" ]
}
expect_popup_at_window() {
  wait_for popup_at_window "$1" ||
    fail "the popup is at $(a11y_try extents "$1" 'popup menu'), the window at $(frame_corner)"
}
