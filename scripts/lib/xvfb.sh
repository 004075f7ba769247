# Sourced by scripts that run the real window: a private X server and waiting for a window.
# The caller sets `work` (a scratch folder) and calls xvfb_stop when done (e.g. from a trap), or
# calls xvfb_scratch, which does both.

xvfb_pid=""

# Runs "$@" every 0.1 s until it succeeds, at most $1 times.
wait_for() {
  local tries=$1 i
  shift
  for ((i = 0; i < tries; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# Starts Xvfb on a display it chooses itself (other X servers may be running) and exports
# DISPLAY. $1: the screen geometry, by default 1280x800x24; further arguments go to Xvfb.
xvfb_start() {
  local geometry=${1:-1280x800x24}
  shift || true
  Xvfb -displayfd 3 -screen 0 "$geometry" "$@" -nolisten tcp 3>"$work/display" \
    2>"$work/xvfb.log" &
  xvfb_pid=$!
  wait_for 100 test -s "$work/display" || return 1
  export DISPLAY=":$(head -n 1 "$work/display")"
}

xvfb_stop() {
  [ -n "$xvfb_pid" ] || return 0
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
}

# Makes the scratch folder `work`; at exit the program `app_pid` (once set) and the X server are
# stopped and the folder removed.
xvfb_scratch() {
  work=$(mktemp -d)
  app_pid=""
  trap xvfb_cleanup EXIT
}

xvfb_cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  xvfb_stop
  rm -rf "$work"
}

# Prints the first visible window of process $1, or fails.
window_of() {
  local found
  found=$(xdotool search --onlyvisible --pid "$1" 2>/dev/null | head -n 1)
  [ -n "$found" ] && echo "$found"
}

# Runs the program $1 with HOME=$2 and no other configuration, in the background; sets app_pid.
start_vexlo() {
  env -u QT_IM_MODULE -u XMODIFIERS -u XDG_CONFIG_HOME QT_QPA_PLATFORM=xcb HOME="$2" \
    XDG_RUNTIME_DIR="$work" "$1" >"$work/vexlo.log" 2>&1 &
  app_pid=$!
}
