#!/usr/bin/env bash
# Formats every tracked C++ file with the repository's .clang-format, or with
# --check only lists the files that are not formatted and fails if any is.
set -euo pipefail
cd "$(dirname "$0")/.."
format=${CLANG_FORMAT:-clang-format}
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = --check ]; then
  bad=0
  for f in "${files[@]}"; do
    if ! "$format" --dry-run --Werror "$f" >/dev/null 2>&1; then
      echo "not formatted: $f"
      bad=1
    fi
  done
  exit "$bad"
fi
"$format" -i "${files[@]}"
