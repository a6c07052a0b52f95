#!/usr/bin/env bash
# Fails when clang-format would change any C++ file of the source tree (the repository's
# .clang-format); names the files that need formatting.
set -euo pipefail
cd "$1"
mapfile -t files < <(find src tests bench -name '*.cpp' -o -name '*.h' | sort)
if ! clang-format --dry-run -Werror "${files[@]}" 2> /tmp/qx-format.$$; then
  grep -oE '^[^: ]+\.(cpp|h):[0-9]+:' /tmp/qx-format.$$ | cut -d: -f1 | sort -u | sed 's/^/needs clang-format: /'
  rm -f /tmp/qx-format.$$
  exit 1
fi
rm -f /tmp/qx-format.$$
echo "format: ${#files[@]} files formatted as .clang-format asks"
