#!/usr/bin/env bash
# Sets up the machine, builds Velkaro.scr and runs it full screen under Wine:
# on your display when DISPLAY is set, otherwise on a private virtual display,
# where it takes a screenshot after a few seconds and says where it is.
#   scripts/run-saver.sh [ARGUMENTS]   (default /s; e.g. /c for the settings)
# It runs the 32-bit Velkaro.scr where this machine runs 32-bit programs and
# has the 32-bit Wine (scripts/can-run-wine32.sh), and the 64-bit one where
# not; VELKARO_PRESET=windows64 (or windows) chooses.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
arguments=("${@:-/s}")

scripts/setup.sh
preset=${VELKARO_PRESET:-}
if [ -z "$preset" ]; then
  if why32=$(scripts/can-run-wine32.sh); then
    preset=windows
  else
    preset=windows64
    echo "run-saver: the 64-bit Velkaro.scr, as the 32-bit one cannot run here: $why32" >&2
  fi
fi
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target Velkaro
build=$root/build/$preset
saver=$build/src/Velkaro.scr

# The test environment names the Wine loader and prefix of the tree's word
# size; on your own display only its Wine settings are used.
scripts/test-env.sh start "$build"
trap 'scripts/test-env.sh stop "$build"' EXIT
own_display=${DISPLAY:-}
. "$build/test-env/env"

if [ -n "$own_display" ]; then
  export DISPLAY=$own_display
  unset PULSE_SERVER
  wine "$saver" "${arguments[@]}"
  exit
fi

mkdir -p "$root/artifacts"
shot=$root/artifacts/saver.png
wine "$saver" "${arguments[@]}" >/dev/null 2>&1 &
sleep "${VELKARO_SHOT_AFTER:-5}"
import -display "$DISPLAY" -window root "$shot"
wineserver -k 2>/dev/null || true
echo "No DISPLAY: ran $preset's Velkaro.scr on a private virtual display. Screenshot: $shot"
