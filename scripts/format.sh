#!/usr/bin/env bash
# Formats every C++ source of the project with the checked-in .clang-format style.
#   scripts/format.sh          rewrite the files in place
#   scripts/format.sh --check  change nothing; list the files that are not formatted and fail
set -euo pipefail
cd "$(dirname "$0")/.."
# The checked-in format was made with clang-format 14; other versions lay the same style out differently.
version=$(clang-format --version 2>/dev/null || true)
if ! [[ "$version" =~ clang-format\ version\ 14\. ]]; then
  echo "scripts/format.sh needs clang-format 14 (the version the sources were formatted with);" >&2
  echo "found: ${version:-no clang-format on PATH}" >&2
  exit 1
fi
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files '*.cpp' '*.h')
else
  mapfile -t files < <(find . -path ./build -prune -o -path './build-*' -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
fi
if [ "${1:-}" != "--check" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
bad=()
for f in "${files[@]}"; do
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if [ ${#bad[@]} -gt 0 ]; then
  echo "Not formatted (run scripts/format.sh, or make format):" >&2
  printf '  %s\n' "${bad[@]}" >&2
  exit 1
fi
echo "All ${#files[@]} source files are formatted."
