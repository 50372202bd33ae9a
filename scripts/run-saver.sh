#!/usr/bin/env bash
# Sets up the machine, builds Velkaro.scr and runs it full screen under Wine:
# on your display when DISPLAY is set, otherwise on a private virtual display,
# where it takes a screenshot after a few seconds and says where it is.
#   scripts/run-saver.sh [ARGUMENTS]   (default /s; e.g. /c for the settings)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
arguments=("${@:-/s}")

scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Velkaro
saver=$root/build/windows/src/Velkaro.scr

if [ -n "${DISPLAY:-}" ]; then
  export WINEPREFIX=$root/build/windows/wineprefix WINEARCH=win32 WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  exec wine "$saver" "${arguments[@]}"
fi

build=$root/build/windows
scripts/test-env.sh start "$build"
trap 'scripts/test-env.sh stop "$build"' EXIT
. "$build/test-env/env"
mkdir -p "$root/artifacts"
shot=$root/artifacts/saver.png
wine "$saver" "${arguments[@]}" >/dev/null 2>&1 &
sleep "${VELKARO_SHOT_AFTER:-5}"
import -display "$DISPLAY" -window root "$shot"
wineserver -k 2>/dev/null || true
echo "No DISPLAY: ran on a private virtual display. Screenshot: $shot"
