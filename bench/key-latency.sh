#!/usr/bin/env bash
# Key-to-pixels latency of the real window under a private Xvfb: KEYS keys sent with XTEST
# (digits, operators, Enter, the era conversion h 3 0 Space, a clear), each timed from the key
# event to the window's first XDamage notification after it. The floor (bench/floor: a bare Qt
# window whose label changes on each key) takes as many keys, in blocks of 100 interleaved with
# vexlo's, so a busy spell of the machine falls on both and the two can be told apart.
# Usage: bench/key-latency.sh [KEYS]           (default 500; needs the release preset built)
# Targets: median under 1 ms, p99 under 1.5 ms.
set -euo pipefail
cd "$(dirname "$0")/.."
keys=${1:-500}
block=100
bin=build/bin
for program in vexlo vexlo-floor x-key-latency; do
  [ -x "$bin/$program" ] || { echo "no $bin/$program: cmake --build --preset release" >&2; exit 1; }
done
. bench/x/private-display.sh
cp "$bin/vexlo" "$bin/vexlo-floor" "$scratch/"
: >"$scratch/vexlo.txt"
: >"$scratch/floor.txt"
for ((sent = 0, i = 0; sent < keys; sent += block, i++)); do
  n=$((keys - sent < block ? keys - sent : block))
  # Alternate which one goes first, as the start-up benchmark does.
  order=(vexlo vexlo-floor)
  ((i % 2 == 0)) || order=(vexlo-floor vexlo)
  for program in "${order[@]}"; do
    out="$scratch/${program#vexlo-}.txt"
    "$bin/x-key-latency" --keys "$n" --samples "$out" "$scratch/$program" >/dev/null 2>&1 ||
      { echo "x-key-latency failed on $program (a key drew nothing within a second)" >&2; exit 1; }
  done
done

# count, median, p99 and max of the latencies in one file, ranked as x-key-latency ranks them
stats() { cut -d' ' -f1 "$1" | sort -g | awk '{ v[NR] = $1 } END {
  printf "%d %.3f %.3f %.3f\n", NR, v[int(0.5 * (NR - 1) + 0.5) + 1], v[int(0.99 * (NR - 1) + 0.5) + 1], v[NR]
}'; }
read -r n vm vp vx < <(stats "$scratch/vexlo.txt")
read -r _ fm fp fx < <(stats "$scratch/floor.txt")
over=$(awk '$1 >= 1.5' "$scratch/vexlo.txt" | wc -l)
slowest=$(sort -gr "$scratch/vexlo.txt" | awk 'NR <= 5 { printf "%s %.3f ms; ", $2, $1 }')
awk -v n="$n" -v b="$block" -v vm="$vm" -v vp="$vp" -v vx="$vx" -v fm="$fm" -v fp="$fp" -v fx="$fx" \
    -v over="$over" -v slowest="$slowest" 'BEGIN {
  printf "keys each:   %d, in interleaved blocks of %d\n", n, b
  printf "median:      vexlo %.3f ms, floor %.3f ms (target < 1 ms): %s\n", vm, fm, (vm < 1) ? "met" : "MISSED"
  printf "p99:         vexlo %.3f ms, floor %.3f ms (target < 1.5 ms): %s\n", vp, fp, (vp < 1.5) ? "met" : "MISSED"
  printf "max:         vexlo %.3f ms, floor %.3f ms\n", vx, fx
  printf "over 1.5 ms: %d of vexlo'"'"'s keys; slowest: %s\n", over, slowest
}'
