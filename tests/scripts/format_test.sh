#!/usr/bin/env bash
# The format check on the tree, then on a small folder with one file that
# clang-format would change, which it must refuse by name.
set -euo pipefail
source_dir=$1
"$source_dir/scripts/check-format.sh" "$source_dir"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$source_dir/.clang-format" "$scratch/"
printf 'int tidy() { return 1; }\n' >"$scratch/tidy.cpp"
printf 'int  untidy( ){return 1;}\n' >"$scratch/untidy.cpp"
if output=$("$source_dir/scripts/check-format.sh" "$scratch" 2>&1); then
  echo "the check passed a file clang-format would change:"; echo "$output"; exit 1
fi
grep -q 'untidy.cpp' <<<"$output" || { echo "the refusal does not name the file:"; echo "$output"; exit 1; }
if grep -q '  ./tidy.cpp' <<<"$output"; then echo "the check refused a formatted file:"; echo "$output"; exit 1; fi
echo "the check refuses an unformatted file by name"
