#!/usr/bin/env bash
# Plays background music for real under Wine and measures what the test
# PulseAudio's null sink heard.
#   music_e2e.sh mp3|wav|cd BUILD_DIR PROBE_EXE
# The test audio is made here (tests/support/make_tone.sh); none is kept in
# the tree.
set -euo pipefail
scenario=${1:?mp3, wav or cd}
build=$(cd "${2:?build directory}" && pwd)
probe=${3:?probe executable}
here=$(cd "$(dirname "$0")" && pwd)
scripts=$(cd "$here/../../scripts" && pwd)
support=$(cd "$here/../support" && pwd)
# shellcheck source=../support/sink_recording.sh
. "$support/sink_recording.sh"

work=$build/music-e2e/$scenario
rm -rf "$work"
mkdir -p "$work"
# shellcheck disable=SC1091
. "$build/test-env/env"

windows_path() { echo "Z:${1//\//\\}"; }

play_ms=4500 quiet_ms=1500
case $scenario in
mp3)
  # 1 s of tone, then 0.5 s of silence: each play is one tone, and a second
  # tone can only come from the repeat check.
  file_ms=1000
  "$support/make_tone.sh" "$work/tone.mp3" 1.0 440 0.5
  args=(mp3 "$(windows_path "$work/tone.mp3")")
  ;;
wav)
  file_ms=1000
  "$support/make_tone.sh" "$work/loop.wav" 1.0 660
  args=(wav "$(windows_path "$work/loop.wav")")
  ;;
cd)
  # Wine has no CD drive here; the music must stay silent and the check
  # switch itself off after its first tick.
  file_ms=0 play_ms=1500 quiet_ms=500
  args=(cd 3)
  ;;
*)
  echo "unknown scenario $scenario" >&2
  exit 2
  ;;
esac

start_recording "$work/recording.raw"
trap stop_recording EXIT

status=0
"$scripts/wine-run.sh" "$build" "$probe" "${args[@]}" "$play_ms" "$quiet_ms" \
  >"$work/probe.out" 2>&1 || status=$?
sleep 0.3
stop_recording
trap - EXIT

# The probe's own lines, not Wine's messages, and without the console's
# carriage returns.
grep -E '^ *[0-9]+ ' "$work/probe.out" | tr -d '\r' >"$work/probe.log" || true
cat "$work/probe.log"
if [ $status -ne 0 ]; then
  echo "FAIL: the probe exited with $status"
  exit 1
fi

fail=0
log_has() { grep -qE "$1" "$work/probe.log" || { echo "FAIL: the log has no line matching: $1"; fail=1; }; }
log_lacks() { ! grep -qE "$1" "$work/probe.log" || { echo "FAIL: the log has a line matching: $1"; fail=1; }; }
log_has ' exit$'
case $scenario in
mp3)
  log_has 'mci open "Z:.*tone\.mp3" type MPEGVideo Alias MP3Play -> 0$'
  log_has 'mci play MP3Play from 0 -> 0$'
  log_has 'mci close MP3Play -> 0$'
  ;;
wav)
  log_lacks 'Timer1'  # a WAV file loops by itself
  ;;
cd)
  log_has 'Timer2: cd check, CdPollActive off'
  # One check, and nothing sent to the drive after it: neither the arrows'
  # failures nor a close.
  [ "$(grep -c 'Timer2:' "$work/probe.log")" -eq 1 ] || { echo "FAIL: the CD check ran more than once"; fail=1; }
  log_lacks 'mci (stop|close) cdaudio'
  ;;
esac
# The music sounds from the end of its start to the start of its end.
event_ms() { awk -v what="$1" '$0 ~ " " what "$" { print $1; exit }' "$work/probe.log"; }
started=$(event_ms started) ended=$(event_ms "end music")
played_ms=$(( ${ended:-$play_ms} - ${started:-0} ))
python3 "$support/analyse_recording.py" "$work/recording.raw" "$scenario" "$played_ms" "$file_ms" || fail=1
exit $fail
