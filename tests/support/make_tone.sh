#!/usr/bin/env bash
# Writes the test tone the music tests play: a sine at -9 dBFS, then
# optionally silence, so that a restart from the beginning shows as a gap.
#   make_tone.sh OUTPUT SECONDS HZ [SILENCE_SECONDS]
# An OUTPUT ending in .mp3 is 44100 Hz stereo at 128 kbit/s (sox, then
# lame); one ending in .wav is 22050 Hz mono, 16-bit.
set -euo pipefail
out=${1:?output file} seconds=${2:?seconds of tone} hz=${3:?frequency} silence=${4:-0}

case $out in
*.mp3)
  wav=$(mktemp --suffix=.wav)
  trap 'rm -f "$wav"' EXIT
  sox -q -n -r 44100 -c 2 "$wav" synth "$seconds" sine "$hz" gain -9 pad 0 "$silence"
  lame --quiet -b 128 "$wav" "$out"
  ;;
*.wav)
  sox -q -n -r 22050 -c 1 -b 16 "$out" synth "$seconds" sine "$hz" gain -9 pad 0 "$silence"
  ;;
*)
  echo "make_tone.sh: $out is neither .mp3 nor .wav" >&2
  exit 2
  ;;
esac
