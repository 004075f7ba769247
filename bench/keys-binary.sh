# Sourced by the vexlo-keys benchmarks: the binary to time (the first argument, or the release
# build's) and, with "time", GNU time and a scratch folder removed at exit.
binary="${1:-build/bin/vexlo-keys}"
[ -x "$binary" ] || { echo "no vexlo-keys at $binary (build the release preset first)" >&2; exit 1; }
if [ "${keys_binary_needs:-}" = time ]; then
  [ -x /usr/bin/time ] || { echo "/usr/bin/time is missing: apt-get install time" >&2; exit 1; }
  work="$(mktemp -d)"
  trap 'rm -rf "$work"' EXIT
fi
