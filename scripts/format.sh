#!/usr/bin/env bash
# Formats every C++ source of the project with the checked-in .clang-format style.
#   scripts/format.sh          rewrite the files in place
#   scripts/format.sh --check  change nothing; list the files that are not formatted and fail
set -euo pipefail
cd "$(dirname "$0")/.."
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
