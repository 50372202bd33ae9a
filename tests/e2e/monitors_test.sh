#!/usr/bin/env bash
# Runs the full-screen tests of a desktop of two monitors, on a display of
# two monitors with a test environment (display, sound, Wine prefix) of its
# own.
#   monitors_test.sh WORK_DIR E2E_TESTS_EXE SAVER
set -euo pipefail
here=$(cd "$(dirname "$0")/../../scripts" && pwd)
work=$1 driver=$2 saver=$3
mkdir -p "$work"
VELKARO_MONITORS=2 "$here/test-env.sh" start "$work"
trap '"$here/test-env.sh" stop "$work"' EXIT
. "$work/test-env/env"
wine "$driver" "Z:$saver" --gtest_filter='TwoMonitors.*' \
  >"$work/driver.log" 2>&1 </dev/null || { cat "$work/driver.log"; exit 1; }
cat "$work/driver.log"
