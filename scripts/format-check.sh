#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format makes of it
# under the checked-in .clang-format; lists each offending line. With --fix,
# formats those files in place instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
mapfile -d '' files < <(git ls-files -z -- '*.cpp' '*.h')
((${#files[@]})) || { echo "format: no C++ files tracked" >&2; exit 1; }
if [ "${1:-}" = --fix ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
if ! clang-format --dry-run --Werror "${files[@]}"; then
  echo "format: the files above are not formatted; run scripts/format-check.sh --fix" >&2
  exit 1
fi
echo "format: all ${#files[@]} C++ files are formatted"
