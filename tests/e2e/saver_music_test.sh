#!/usr/bin/env bash
# Records the test sound card while Velkaro.scr runs with a 2-second MP3 and
# ends: the music must be heard during the run (again after the file's end,
# restarted by the once-a-second check) and silence must follow the end.
#   saver_music_test.sh BUILD_DIR E2E_TESTS_EXE SAVER
set -euo pipefail
build=$1 driver=$2 saver=$3
. "$build/test-env/env"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

sox -n -r 44100 -c 2 "$work/tone.wav" synth 2 sine 440 vol 0.5
lame --quiet "$work/tone.wav" "$work/tone.mp3"
parec -d velkaro_null.monitor --raw --format=s16le --rate=8000 --channels=1 >"$work/rec.raw" &
recorder=$!
VELKARO_TEST_MP3="Z:${work//\//\\}\\tone.mp3" \
  wine "$driver" "Z:$saver" --gtest_filter=SaverMusic.* >"$work/driver.log" 2>&1 || {
  cat "$work/driver.log"; kill $recorder; exit 1; }
kill $recorder; wait $recorder 2>/dev/null || true

# The loudness of each half second of the recording.
python3 - "$work/rec.raw" <<'PY'
import array, math, sys
samples = array.array('h', open(sys.argv[1], 'rb').read())
chunk = 4000
rms = [math.sqrt(sum(s * s for s in samples[i:i + chunk]) / chunk) / 32768
       for i in range(0, len(samples) - chunk + 1, chunk)]
print("half-second loudness:", " ".join(f"{r:.2f}" for r in rms))
loud = [i for i, r in enumerate(rms) if r > 0.05]
restarted = any(rms[i] <= 0.05 for i in range(loud[0], loud[-1])) if loud else False
ok = True
if len(loud) < 6:
    print("FAIL: the music was heard for less than 3 seconds"); ok = False
elif not restarted:
    print("FAIL: the 2-second file was not heard again after its end"); ok = False
if any(r > 0.005 for r in rms[-4:]):
    print("FAIL: sound after the run ended"); ok = False
print("saver music:", "1 passed, 0 failed" if ok else "0 passed, 1 failed")
sys.exit(0 if ok else 1)
PY
