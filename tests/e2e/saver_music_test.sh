#!/usr/bin/env bash
# Records the test sound card while Velkaro.scr runs with an MP3 of 2 s of
# tone and 0.5 s of silence, then ends: the music must be heard during the
# run, whole, and again after the file's end (restarted by the once-a-second
# check), and silence must follow the end.
#   saver_music_test.sh BUILD_DIR E2E_TESTS_EXE SAVER
set -euo pipefail
build=$1 driver=$2 saver=$3
support=$(cd "$(dirname "$0")/../support" && pwd)
# shellcheck source=../support/sink_recording.sh
. "$support/sink_recording.sh"
# shellcheck disable=SC1091
. "$build/test-env/env"
work=$(mktemp -d)
trap 'stop_recording; rm -rf "$work"' EXIT

"$support/make_tone.sh" "$work/tone.mp3" 2 440 0.5
start_recording "$work/rec.raw"
VELKARO_TEST_MP3="Z:${work//\//\\}\\tone.mp3" \
  wine "$driver" "Z:$saver" --gtest_filter=SaverMusic.* >"$work/driver.log" 2>&1 || {
  cat "$work/driver.log"; exit 1; }
stop_recording

# How long the music played is the driver's to decide, so the analysis
# does not check when it stopped; only that silence followed.
if python3 "$support/analyse_recording.py" "$work/rec.raw" mp3 0 2000; then
  echo "saver music: 1 passed, 0 failed"
else
  echo "saver music: 0 passed, 1 failed"
  exit 1
fi
