#!/usr/bin/env bash
# Runs the drawing tests of a full-screen run on a display of 16 bits per
# pixel, with a test environment (display, sound, Wine prefix) of its own.
#   depth16_test.sh WORK_DIR E2E_TESTS_EXE SAVER
set -euo pipefail
here=$(cd "$(dirname "$0")/../../scripts" && pwd)
work=$1 driver=$2 saver=$3
mkdir -p "$work"
VELKARO_SCREEN=1024x768x16 "$here/test-env.sh" start "$work"
trap '"$here/test-env.sh" stop "$work"' EXIT
. "$work/test-env/env"
wine "$driver" "Z:$saver" \
  --gtest_filter='SaverRun.CoversTheScreenOnTopAndDrawsTheEffect:SaverRun.ThePaletteShowsItsFirstComponentAsBlue' \
  >"$work/driver.log" 2>&1 </dev/null || { cat "$work/driver.log"; exit 1; }
cat "$work/driver.log"
