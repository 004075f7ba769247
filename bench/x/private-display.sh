# Sourced by the X benchmarks: a private Xvfb on a display it chooses itself (-displayfd), a
# scratch directory with copies of the programs (so a settings file is written there and
# nowhere else), and the clean-up of both on exit. Sets DISPLAY, $scratch and $xvfb_pid.
scratch=$(mktemp -d)
xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT
command -v Xvfb >/dev/null || { echo "Xvfb is missing (scripts/install-deps.sh)" >&2; exit 1; }
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset 3>"$scratch/display" 2>"$scratch/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
[ -s "$scratch/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$scratch/display")"
mkdir -p "$scratch/home"
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config" XDG_RUNTIME_DIR="$scratch"
export QT_QPA_PLATFORM=xcb
unset QT_IM_MODULE XMODIFIERS
