#!/usr/bin/env bash
# Start-up of the real window against the floor (bench/floor: a bare Qt Widgets window of the
# same shape), under a private Xvfb: exec to the MapNotify of the main window, and the peak RSS
# (VmHWM) one second later, over RUNS runs of each, interleaved, after two warm-up runs each.
# Usage: bench/window-startup.sh [RUNS]        (default 20; needs the release preset built)
# Targets: vexlo's median time at most 1.15 x the floor's, its peak RSS at most the floor's + 5 MiB.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-20}
bin=build/bin
for program in vexlo vexlo-floor x-map-wait; do
  [ -x "$bin/$program" ] || { echo "no $bin/$program: cmake --build --preset release" >&2; exit 1; }
done
. bench/x/private-display.sh
cp "$bin/vexlo" "$bin/vexlo-floor" "$scratch/"

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

measure() {  # program, output file
  "$bin/x-map-wait" "$scratch/$1" >>"$2"
}
for _ in 1 2; do
  measure vexlo /dev/null
  measure vexlo-floor /dev/null
done
: >"$scratch/vexlo.txt"
: >"$scratch/floor.txt"
for ((i = 0; i < runs; i++)); do
  # Alternate which one goes first, so neither always runs on a cache the other warmed.
  if ((i % 2 == 0)); then
    measure vexlo "$scratch/vexlo.txt"
    measure vexlo-floor "$scratch/floor.txt"
  else
    measure vexlo-floor "$scratch/floor.txt"
    measure vexlo "$scratch/vexlo.txt"
  fi
done

field() { sed -n "s/.*$1=\([0-9.]*\).*/\1/p" "$2"; }
vexlo_ms=$(field map_ms "$scratch/vexlo.txt" | median)
floor_ms=$(field map_ms "$scratch/floor.txt" | median)
vexlo_kib=$(field hwm_kib "$scratch/vexlo.txt" | median)
floor_kib=$(field hwm_kib "$scratch/floor.txt" | median)
awk -v r="$runs" -v vm="$vexlo_ms" -v fm="$floor_ms" -v vk="$vexlo_kib" -v fk="$floor_kib" 'BEGIN {
  printf "runs each:   %d, interleaved\n", r
  printf "start-up:    vexlo %.1f ms, floor %.1f ms (medians, exec to MapNotify)\n", vm, fm
  printf "peak RSS:    vexlo %.1f MiB, floor %.1f MiB (medians of VmHWM 1 s after the map)\n", vk / 1024, fk / 1024
  printf "time ratio:  %.3f x the floor (target <= 1.15): %s\n", vm / fm, (vm / fm <= 1.15) ? "met" : "MISSED"
  printf "RSS excess:  %+.1f MiB over the floor (target <= +5 MiB): %s\n", (vk - fk) / 1024, ((vk - fk) / 1024 <= 5) ? "met" : "MISSED"
}'
