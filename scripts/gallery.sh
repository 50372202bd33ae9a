#!/usr/bin/env bash
# Renders a few patterns with velkaro-render into artifacts/gallery/ and puts
# them side by side in artifacts/gallery/strip.png; then renders the pictures
# Velkaro.scr carries with velkaro-art and lays the 28 dialog thumbnails out
# as the dialog does, 7 by 4, in artifacts/gallery/thumbnails.png.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset host >/dev/null
cmake --build --preset host --target velkaro-render velkaro-art
render=build/host/tools/velkaro-render/velkaro-render
out=artifacts/gallery
mkdir -p "$out"
# pattern:frames, each at a frame where the pattern is well developed
for shot in 0:240 5:240 12:300 14:130 21:400 24:300; do
  pattern=${shot%%:*} frames=${shot##*:}
  "$render" --pattern "$pattern" --frames "$frames" --png "$out/pattern-$pattern.png"
done
convert "$out"/pattern-{0,5,12,14,21,24}.png +append "$out/strip.png"
build/host/tools/velkaro-art/velkaro-art "$out/art"
rows=()
for r in 0 1 2 3; do
  row=()
  for c in 0 1 2 3 4 5 6; do row+=("$(printf '%s/art/thumbnail_%02d.bmp' "$out" $((7 * r + c)))"); done
  convert "${row[@]}" -bordercolor gray50 -border 4 +append "$out/thumbnails-row-$r.png"
  rows+=("$out/thumbnails-row-$r.png")
done
convert "${rows[@]}" -append "$out/thumbnails.png"
rm -f "${rows[@]}"
echo "Gallery: $out/strip.png, $out/thumbnails.png"
