#!/usr/bin/env bash
# velkaro-render as a user runs it: the same run gives the same bytes, the
# outputs have their sizes, and bad arguments fail with one line and status 2
# without leaving a file behind.
set -u
render=${1:?path of velkaro-render}
version=${2:?the project version}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$render" --pattern 12 --frames 30 --seed 7 --raw "$work/a.raw" --png "$work/a.png" || fail "run 1"
"$render" --pattern 12 --frames 30 --seed 7 --raw "$work/b.raw" || fail "run 2"
cmp -s "$work/a.raw" "$work/b.raw" || fail "two runs differ"
[ "$(stat -c %s "$work/a.raw")" = $((325 * 245)) ] || fail "raw size"
file "$work/a.png" | grep -q 'PNG image data, 320 x 240, 8-bit/color RGB' || fail "png format"
# The pendulum reseeds from the clock, so only --clock changes pattern 12;
# pattern 5 follows --seed.
"$render" --pattern 12 --frames 30 --seed 8 --raw "$work/c.raw"
cmp -s "$work/a.raw" "$work/c.raw" || fail "the seed changed a pattern that reseeds from the clock"
"$render" --pattern 12 --frames 30 --clock 5 --raw "$work/c.raw"
cmp -s "$work/a.raw" "$work/c.raw" && fail "another clock gives the same pendulum"
"$render" --pattern 5 --frames 30 --seed 1 --raw "$work/d.raw"
"$render" --pattern 5 --frames 30 --seed 2 --raw "$work/e.raw"
cmp -s "$work/d.raw" "$work/e.raw" && fail "another seed gives the same frame"

# A series: the picture after every 4th frame, each the same as a run that
# stops there, and no picture under the plain name.
"$render" --pattern 21 --frames 10 --every 4 --png "$work/s.png" || fail "series run"
[ "$(cd "$work" && echo s*.png)" = "s-000004.png s-000008.png" ] || fail "series files: $(cd "$work" && echo s*.png)"
"$render" --pattern 21 --frames 8 --png "$work/eight.png"
cmp -s "$work/s-000008.png" "$work/eight.png" || fail "frame 8 of the series differs from a run of 8 frames"
cmp -s "$work/s-000004.png" "$work/eight.png" && fail "frames 4 and 8 of the series are the same"

[ "$("$render" --version)" = "velkaro-render $version" ] || fail "--version: $("$render" --version)"
[ "$("$render" --pattern 0 --dump palette | wc -l)" = 256 ] || fail "palette lines"
"$render" --pattern 0 --dump palette | head -1 | grep -qx '0x00000000' || fail "palette format"
"$render" --pattern 20 --frames 0 --dump params | grep -qx 'WindOn=0' || fail "pattern 20 wind"

expect_refused() {
  local out status
  out=$("$render" "$@" 2>&1 >/dev/null); status=$?
  [ $status -eq 2 ] || fail "status $status for: $*"
  [ "$(printf '%s\n' "$out" | wc -l)" = 1 ] || fail "not one line for: $*"
}
expect_refused --pattern 1 --bogus
expect_refused --pattern
expect_refused --pattern 1 --frames ten
expect_refused --pattern 1 --every 4
expect_refused --pattern 1 --raw "$work/no/such/folder/x.raw"
expect_refused --pattern 1 --params "-l 9" --raw "$work/bad.raw"
[ -e "$work/bad.raw" ] && fail "a refused run wrote its output"
ls "$work"/no 2>/dev/null && fail "left a folder"
ls "$work"/*.part 2>/dev/null && fail "left a partial file"

echo "render_cli: $failures failed"
[ $failures -eq 0 ]
