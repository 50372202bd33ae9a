#!/usr/bin/env bash
# Renders a few patterns with velkaro-render into artifacts/gallery/ and puts
# them side by side in artifacts/gallery/strip.png; then renders the pictures
# Velkaro.scr carries with velkaro-art and lays the 28 dialog thumbnails out
# as the dialog does, 7 by 4, in artifacts/gallery/thumbnails.png.
# (The README's committed pictures come from scripts/readme-pictures.sh.)
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib/pictures.sh
pictures_tools
render=$VELKARO_RENDER
out=artifacts/gallery
mkdir -p "$out"
# pattern:frames, each at a frame where the pattern is well developed
for shot in 0:240 5:240 12:300 14:130 21:400 24:300; do
  pattern=${shot%%:*} frames=${shot##*:}
  "$render" --pattern "$pattern" --frames "$frames" --png "$out/pattern-$pattern.png"
done
convert "$out"/pattern-{0,5,12,14,21,24}.png +append "$out/strip.png"
"$VELKARO_ART" "$out/art"
thumbnails=()
for pattern in $(seq 0 27); do thumbnails+=("$(printf '%s/art/thumbnail_%02d.bmp' "$out" "$pattern")"); done
lay_out_patterns "$out/thumbnails.png" "${thumbnails[@]}"
echo "Gallery: $out/strip.png, $out/thumbnails.png"
