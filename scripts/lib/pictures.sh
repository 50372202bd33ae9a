# Shared by the scripts that make pictures of the patterns (scripts/gallery.sh,
# scripts/readme-pictures.sh): the host tools that render them, and the
# 7-by-4 layout in which the settings dialog shows the 28 patterns. Sourced
# from the top of the source tree.

# Sets VELKARO_RENDER and VELKARO_ART, building both in the host tree unless
# the environment names them already (the tests pass their own tree's).
pictures_tools() {
  if [ -n "${VELKARO_RENDER:-}" ] && [ -n "${VELKARO_ART:-}" ]; then return; fi
  scripts/setup.sh
  cmake --preset host >/dev/null
  cmake --build --preset host -j "${VELKARO_JOBS:-2}" --target velkaro-render velkaro-art
  VELKARO_RENDER=build/host/tools/velkaro-render/velkaro-render
  VELKARO_ART=build/host/tools/velkaro-art/velkaro-art
}

# PNG files without the chunks that would make two runs differ: no time of
# writing, no text.
pictures_png_options=(-strip -define png:exclude-chunks=date,time)

# lay_out_patterns OUT PICTURE...: the 28 pictures, pattern 0 first, 7 by 4
# as the dialog shows them, each in a 4-pixel grey rim. With LABEL_FONT (a
# font file) set, each picture's pattern number stands under it.
lay_out_patterns() {
  local out=$1
  shift
  [ $# -eq 28 ] || { echo "lay_out_patterns: $# pictures, not 28" >&2; return 1; }
  local arguments=() number=0
  for picture in "$@"; do
    [ -n "${LABEL_FONT:-}" ] && arguments+=(-label "$number")
    arguments+=("$picture")
    number=$((number + 1))
  done
  local look=(-background gray50)
  [ -n "${LABEL_FONT:-}" ] && look=(-background gray20 -fill white -font "$LABEL_FONT" -pointsize 14)
  montage "${look[@]}" "${arguments[@]}" -tile 7x4 -geometry +4+4 -depth 8 \
    "${pictures_png_options[@]}" "$out"
}
