#!/usr/bin/env bash
# Fails when a C++ source of the project differs from what clang-format makes of it
# (.clang-format); `scripts/check-format.sh --fix` rewrites them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
entrybox_need_packages clang-format

mapfile -t files < <(find entrybox tools tests bench fuzz examples -name '*.cpp' -o -name '*.h' 2>/dev/null | sort)
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
else
  clang-format --dry-run --Werror "${files[@]}"
  echo "format: ${#files[@]} files clean"
fi
