#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what the project's .clang-format makes of it.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
clang-format --dry-run --Werror "${files[@]}"
echo "format: ${#files[@]} files as .clang-format writes them"
