#!/usr/bin/env bash
# Installs what is missing, builds everything with the tests and runs them all: the release
# suite, the headless suites under the address and undefined-behaviour sanitisers, and each
# libFuzzer target for 20 s. The release suite's summary is the last thing printed.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake --preset release
cmake --build --preset release -j"$(nproc)"
cmake --preset asan
cmake --build --preset asan -j"$(nproc)"
if command -v clang++ >/dev/null; then
  fuzz/run.sh 20 -seed=1  # a fixed seed: the same inputs on every run
else
  echo "fuzz: skipped, clang++ is not installed"
fi
ctest --preset asan -j"$(nproc)"
ctest --preset release -j"$(nproc)"
