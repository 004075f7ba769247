#!/usr/bin/env bash
# Key-to-pixels latency of the real window under a private Xvfb: KEYS keys sent with XTEST
# (digits, operators, Enter, the era conversion h 3 0 Space, a clear), each timed from the key
# event to the window's first XDamage notification after it.
# Usage: bench/key-latency.sh [KEYS]           (default 500; needs the release preset built)
# Targets: median under 1 ms, p99 under 1.5 ms.
set -euo pipefail
cd "$(dirname "$0")/.."
keys=${1:-500}
bin=build/bin
for program in vexlo x-key-latency; do
  [ -x "$bin/$program" ] || { echo "no $bin/$program: cmake --build --preset release" >&2; exit 1; }
done
. bench/x/private-display.sh
cp "$bin/vexlo" "$scratch/"
line=$("$bin/x-key-latency" --keys "$keys" "$scratch/vexlo")
echo "$line"
awk -v line="$line" 'BEGIN {
  n = split(line, parts, /[ =]/)
  for (i = 1; i < n; i += 2) v[parts[i]] = parts[i + 1]
  printf "median %.3f ms (target < 1 ms): %s\n", v["median_ms"], (v["median_ms"] < 1) ? "met" : "MISSED"
  printf "p99    %.3f ms (target < 1.5 ms): %s\n", v["p99_ms"], (v["p99_ms"] < 1.5) ? "met" : "MISSED"
  printf "max    %.3f ms\n", v["max_ms"]
}'
