#!/usr/bin/env bash
# Peak memory (maximum resident set) and run time of vexlo-keys --tape over scripts of 100,000
# and 1,000,000 keys: sums, chains, the tax key and clears, so the tape fills and then drops its
# oldest lines. The tape keeps at most 10,000 lines, so the million keys should take no more
# memory than the hundred thousand. One round of the cycle (25 keys, 14 lines) is the reference:
# the program with a tape all but empty.
# Usage: bench/tape-memory.sh [path/to/vexlo-keys]   (default: build/bin/vexlo-keys, Release)
set -euo pipefail
cd "$(dirname "$0")/.."
keys_binary_needs=time
# shellcheck source=keys-binary.sh
source bench/keys-binary.sh
# 25 keys ({Ctrl+K} is one, the tax key) and 14 tape lines; each sum ends in a clear.
cycle='1250+380={Ctrl+K}c76+5=c300{Ctrl+K}+7=c'
cycle_keys=25
capacity=10000

# One run: prints max RSS (KiB), wall, user and system seconds, tape lines and rules.
run() {  # script file, options...
  local script=$1 counts
  shift
  counts=$(/usr/bin/time -v -o "$work/time" "$binary" "$@" --script-file "$script" |
    awk '/^tape: ----$/ { rules++; next } /^tape: / { lines++ } END { printf "%d %d", lines, rules }')
  awk -v counts="$counts" -F': ' '
    /Maximum resident set size/ { rss = $2 }
    /Elapsed \(wall clock\)/ { n = split($2, t, ":"); wall = 0; for (i = 1; i <= n; i++) wall = wall * 60 + t[i] }
    /User time/ { user = $2 }
    /System time/ { sys = $2 }
    END { printf "%d %.2f %.2f %.2f %s\n", rss, wall, user, sys, counts }' "$work/time"
}

declare -A rss
for keys in $cycle_keys 100000 1000000; do
  script="$work/$keys.keys"
  { yes "$cycle" || true; } | head -n $((keys / cycle_keys)) | tr -d '\n' >"$script"
  read -r kib wall user sys lines rules < <(run "$script" --tape)
  rss[$keys]=$kib
  printf '%7d keys: %6d KiB max RSS, %5.2f s (%.2f s user, %.2f s system), %5d tape lines + %4d rules (at most %d lines: %s)\n' \
    "$keys" "$kib" "$wall" "$user" "$sys" "$lines" "$rules" "$capacity" "$( ((lines <= capacity)) && echo met || echo MISSED)"
done
awk -v r="${rss[$cycle_keys]}" -v a="${rss[100000]}" -v b="${rss[1000000]}" 'BEGIN {
  printf "max RSS, 1,000,000 keys against 100,000: %+d KiB (%+.1f %%); a full tape against one of 14 lines: %+d KiB\n", b - a, 100 * (b - a) / a, a - r
}'
