#!/usr/bin/env bash
# Renders the README's pictures with velkaro-render into docs/ (or FOLDER):
#   patterns.png  the 28 patterns 7 by 4 at 160 x 120, each at the frame its
#                 dialog thumbnail shows (velkaro-art --thumbnail-frames),
#                 with its number under it
#   patterns.gif  a few seconds of four patterns, 160 x 120, 15 frames a second
# Both are the same bytes on every run with the same engine (and the same
# ImageMagick): the engine runs on a virtual clock, and neither file holds a
# time. The test readme_pictures renders them afresh and compares.
#   readme-pictures.sh [FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/lib/pictures.sh
out=$(realpath -m "${1:-docs}")
pictures_tools
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

# Halves of the 320 x 240 picture, each cell the mean of a 2 x 2 block.
halve=(-filter box -resize 160x120)

cells=()
while read -r pattern frames clock; do
  "$VELKARO_RENDER" --pattern "$pattern" --frames "$frames" --clock "$clock" --png "$work/still.png"
  convert "$work/still.png" "${halve[@]}" "$work/cell-$pattern.png"
  cells+=("$work/cell-$pattern.png")
done < <("$VELKARO_ART" --thumbnail-frames)
LABEL_FONT=/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf \
  lay_out_patterns "$work/patterns.png" "${cells[@]}"
# A palette of 256 colours, undithered, keeps it under half its RGB size.
convert "$work/patterns.png" +dither -colors 256 "${pictures_png_options[@]}" "PNG8:$out/patterns.png"

# pattern:first frame:last frame at 60 frames a second, every 4th frame
# shown (15 a second), each pattern with a palette of its own of 24
# colours, 27 frames each. The GIF delay is whole hundredths: 7 for 6.67.
segments=()
for clip in 21:196:300 14:196:300 26:196:300 7:196:300; do
  IFS=: read -r pattern first last <<<"$clip"
  "$VELKARO_RENDER" --pattern "$pattern" --frames "$last" --clock 43200 --every 4 --png "$work/clip.png"
  frames=()
  for ((k = first; k <= last; k += 4)); do frames+=("$(printf '%s/clip-%06d.png' "$work" $k)"); done
  convert "${frames[@]}" "${halve[@]}" +dither -colors 24 +remap "$work/segment-$pattern.miff"
  segments+=("$work/segment-$pattern.miff")
  rm -f "$work"/clip-*.png
done
convert -delay 7 -loop 0 "${segments[@]}" -strip "$out/patterns.gif"
ls -l "$out/patterns.png" "$out/patterns.gif"
