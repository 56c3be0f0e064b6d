#!/usr/bin/env bash
# Fails when a source file is not clang-format clean.
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t files < <(git ls-files -co --exclude-standard -- '*.h' '*.cpp')
[[ ${#files[@]} -eq 0 ]] && exit 0
if ! clang-format --dry-run --Werror "${files[@]}"; then
  echo "clang-format: the files above need formatting (clang-format -i)" >&2
  exit 1
fi
echo "clang-format: ${#files[@]} files clean"
