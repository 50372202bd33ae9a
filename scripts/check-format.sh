#!/usr/bin/env bash
# Fails, naming each file, when a C or C++ source of the tree (or of the
# folder given) differs from what clang-format makes of it with the tree's
# .clang-format. `scripts/check-format.sh --fix` formats them in place.
set -euo pipefail
fix=false
if [ "${1:-}" = "--fix" ]; then fix=true; shift; fi
root=$(cd "${1:-$(dirname "$0")/..}" && pwd)
cd "$root"
clang_format=${CLANG_FORMAT:-clang-format}

if git -C "$root" rev-parse --show-toplevel >/dev/null 2>&1 &&
   [ "$(git -C "$root" rev-parse --show-toplevel)" = "$root" ]; then
  mapfile -t files < <(git ls-files -- '*.h' '*.c' '*.cpp' '*.cc')
else
  mapfile -t files < <(find . -type f \( -name '*.h' -o -name '*.c' -o -name '*.cpp' -o -name '*.cc' \) | sort)
fi
if [ ${#files[@]} -eq 0 ]; then
  echo "check-format: no sources under $root" >&2
  exit 1
fi
if $fix; then
  "$clang_format" -i --style=file "${files[@]}"
  exit 0
fi

unformatted=()
for file in "${files[@]}"; do
  if ! "$clang_format" --style=file "$file" | cmp -s - "$file"; then
    unformatted+=("$file")
  fi
done
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "check-format: ${#unformatted[@]} of ${#files[@]} files are not as clang-format makes them:" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  echo "run scripts/check-format.sh --fix" >&2
  exit 1
fi
echo "check-format: ${#files[@]} files formatted"
