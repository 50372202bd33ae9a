#!/usr/bin/env bash
# The README's pictures in docs/ are what scripts/readme-pictures.sh makes
# from this tree's engine: rendered afresh, each must be the committed bytes.
# A change to the engine's output fails here until the pictures are remade.
#   readme_pictures_test.sh SOURCE_DIR VELKARO_RENDER VELKARO_ART
set -uo pipefail
source_dir=$(cd "${1:?source directory}" && pwd)
export VELKARO_RENDER=${2:?velkaro-render} VELKARO_ART=${3:?velkaro-art}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$source_dir/scripts/readme-pictures.sh" "$work" >/dev/null || { echo "FAIL: readme-pictures.sh failed"; exit 1; }
failures=0
for name in patterns.png patterns.gif; do
  if ! cmp -s "$work/$name" "$source_dir/docs/$name"; then
    echo "FAIL: docs/$name is not what the engine renders now ($(stat -c %s "$work/$name") bytes" \
      "rendered, $(stat -c %s "$source_dir/docs/$name" 2>/dev/null || echo no) committed):" \
      "run scripts/readme-pictures.sh and commit docs/$name"
    failures=$((failures + 1))
  fi
  # The README promises pictures that a page loads quickly.
  size=$(stat -c %s "$work/$name")
  [ "$size" -lt $((400 * 1024)) ] || { echo "FAIL: $name is $size bytes, over 400 KiB"; failures=$((failures + 1)); }
done
echo "readme_pictures: $failures failed"
[ $failures -eq 0 ]
