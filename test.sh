#!/usr/bin/env bash
# Installs what is missing, builds everything with the tests and runs them all.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake --preset release
cmake --build --preset release -j"$(nproc)"
ctest --preset release -j"$(nproc)"
