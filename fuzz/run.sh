#!/usr/bin/env bash
# Builds the libFuzzer targets (clang) and runs each from its corpus in fuzz/corpus/TARGET/.
# Usage: fuzz/run.sh [SECONDS] [-FLAG=VALUE...] [TARGET...]
#   fuzz/run.sh 20                                   each target for 20 s (the smoke test)
#   nice fuzz/run.sh -runs=10000000 settings_fuzz    one target for ten million executions
#   nice fuzz/run.sh -runs=5000000 -jobs=2 -workers=2 -max_len=1024 keyscript_fuzz
#                                                    two processes of five million each, sharing
#                                                    the corpus (ten million in all)
#   fuzz/run.sh -merge                               fold new inputs into fuzz/corpus/, minimised
# New inputs go to build-fuzz/corpus/TARGET/; a crash, a sanitiser report or an input over 1 s
# stops the target and leaves it in build-fuzz/artifacts/. The last lines give, per target,
# executions, exec/s, coverage (cov: edges, ft: features) and the slowest corpus input.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
command -v clang++ >/dev/null || { echo "fuzz/run.sh: clang++ is missing (scripts/install-deps.sh)" >&2; exit 1; }

seconds=""
merge=0
flags=()
targets=()
for arg in "$@"; do
  case "$arg" in
    -merge) merge=1 ;;
    -*) flags+=("$arg") ;;
    *[!0-9]*) targets+=("$arg") ;;
    *) seconds="$arg" ;;
  esac
done
[ ${#targets[@]} -eq 0 ] && targets=(number_text_fuzz settings_fuzz keyscript_fuzz)
[ -n "$seconds" ] && flags+=("-max_total_time=$seconds")
[ $merge -eq 0 ] && [ ${#flags[@]} -eq 0 ] && flags+=("-max_total_time=20")

[ -f build-fuzz/CMakeCache.txt ] || cmake -S fuzz -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ >/dev/null || exit 1
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}" >/dev/null || {
  echo "fuzz/run.sh: the build failed" >&2; exit 1; }

max_len() {
  case "$1" in
    number_text_fuzz) echo 128 ;;  # display texts are 20 characters; a double is 8 bytes
    *) echo 4096 ;;
  esac
}

status=0
summary=()
for target in "${targets[@]}"; do
  corpus="fuzz/corpus/$target"
  work="build-fuzz/corpus/$target"
  mkdir -p "$corpus" "$work" build-fuzz/artifacts build-fuzz/logs
  if [ $merge -eq 1 ]; then
    fresh="$(mktemp -d build-fuzz/merge.XXXXXX)"
    build-fuzz/"$target" -merge=1 -max_len="$(max_len "$target")" "$fresh" "$corpus" "$work" \
      >"build-fuzz/logs/$target-merge.log" 2>&1 || { echo "$target: merge failed" >&2; status=1; continue; }
    rm -rf "$corpus" && mv "$fresh" "$corpus"
    summary+=("$target: corpus $(ls "$corpus" | wc -l) inputs, $(du -sb "$corpus" | cut -f1) bytes")
    continue
  fi
  # Run in a folder of its own: with -jobs=N each job writes its log, fuzz-J.log, where it runs.
  logdir="build-fuzz/logs/$target-$(date +%Y%m%d-%H%M%S)"
  log="$logdir/run.log"
  mkdir -p "$logdir"
  (cd "$logdir" && "$root/build-fuzz/$target" -timeout=1 -max_len="$(max_len "$target")" \
    -print_final_stats=1 -artifact_prefix="$root/build-fuzz/artifacts/$target-" "${flags[@]}" \
    "$root/$work" "$root/$corpus" >run.log 2>&1)
  rc=$?
  if compgen -G "$logdir/fuzz-*.log" >/dev/null; then
    # -jobs=N: a DONE line per job; the executions and speeds add up.
    done_line="$(grep -h -E '^#[0-9]+[[:space:]]+DONE' "$logdir"/fuzz-*.log | awk '
      { runs += substr($1, 2); ++jobs; for (i = 1; i < NF; ++i) if ($i == "exec/s:") speed += $(i + 1) }
      END { printf "#%d DONE in %d jobs, exec/s: %d in all", runs, jobs, speed }')"
    grep -q -E 'ERROR|runtime error|Test unit written' "$logdir"/fuzz-*.log && rc=1
  else
    # One process prints a DONE line; -fork=N prints a line per job, the last one the total.
    done_line="$(grep -E '^#[0-9]+([[:space:]]+DONE|: cov)' "$log" | tail -1)"
  fi
  # Replaying every corpus input one by one times each of them.
  slowest="$(find "$corpus" "$work" -type f -print0 | xargs -0 -r build-fuzz/"$target" -runs=1 2>&1 |
    sed -n 's/^Executed \(.*\) in \([0-9]*\) ms$/\2 \1/p' | sort -n | tail -1)"
  if [ $rc -ne 0 ]; then
    status=1
    summary+=("$target: FOUND A FAULT (exit $rc), see $logdir/ and build-fuzz/artifacts/")
    grep -h -E 'ERROR|runtime error|SUMMARY|Test unit written' "$logdir"/*.log | head -5 >&2
  else
    summary+=("$target: ${done_line:-no DONE line, see $log}; slowest corpus input ${slowest%% *} ms")
  fi
done
printf '%s\n' "${summary[@]}"
exit $status
