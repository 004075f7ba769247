#!/usr/bin/env bash
# Process time of one vexlo-keys run of a 20-key script (start, start-up step, keys, report).
# Usage: bench/startup.sh [path/to/vexlo-keys]   (default: build/bin/vexlo-keys, Release)
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=keys-binary.sh
source bench/keys-binary.sh
command -v hyperfine >/dev/null || { echo "hyperfine is missing: apt-get install hyperfine" >&2; exit 1; }

script='12*34+56-7=z89%a/2=c'  # 20 keys
# -N: no shell in between, so the figure is the program's own.
hyperfine -N --warmup 50 --runs 1000 "$binary $script" "$binary --json $script"
