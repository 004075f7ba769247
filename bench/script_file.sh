#!/usr/bin/env bash
# Wall and processor time and peak memory (maximum resident set) of whole vexlo-keys runs of long scripts,
# from a file and from standard input. Target: a million keys well under 2 s, memory the same
# for a hundred thousand keys as for ten million. On a busy machine the processor time is the
# figure to read.
# Usage: bench/script_file.sh [path/to/vexlo-keys]   (default: build/bin/vexlo-keys, Release)
set -euo pipefail
cd "$(dirname "$0")/.."
keys_binary_needs=time
# shellcheck source=keys-binary.sh
source bench/keys-binary.sh
line='12*34+56-7=z89%a/2=c'  # 20 keys; "c" clears, so no display overflows
for keys in 100000 1000000 10000000; do
  script="$work/$keys.keys"
  { yes "$line" || true; } | tr -d "\n" | head -c "$keys" >"$script" || true
  /usr/bin/time -f "$keys keys, file:  %e s (%U s user, %S s system), %M KiB" "$binary" --script-file "$script" >/dev/null
  /usr/bin/time -f "$keys keys, stdin: %e s (%U s user, %S s system), %M KiB" "$binary" --script-file - <"$script" >/dev/null
  /usr/bin/time -f "$keys keys, pipe:  %e s (%U s user, %S s system), %M KiB" sh -c "cat '$script' | '$binary' --script-file -" >/dev/null
done
