#!/usr/bin/env bash
# Renders a few patterns with velkaro-render into artifacts/gallery/ and puts
# them side by side in artifacts/gallery/strip.png.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset host >/dev/null
cmake --build --preset host --target velkaro-render
render=build/host/tools/velkaro-render/velkaro-render
out=artifacts/gallery
mkdir -p "$out"
# pattern:frames, each at a frame where the pattern is well developed
for shot in 0:240 5:240 12:300 14:130 21:400 24:300; do
  pattern=${shot%%:*} frames=${shot##*:}
  "$render" --pattern "$pattern" --frames "$frames" --png "$out/pattern-$pattern.png"
done
convert "$out"/pattern-{0,5,12,14,21,24}.png +append "$out/strip.png"
echo "Gallery: $out/strip.png"
