#!/usr/bin/env bash
# Runs some of the end-to-end tests on a display of their own kind, with a
# test environment (display, sound, Wine prefix) of their own. The kind of
# display comes from the environment, as scripts/test-env.sh reads it
# (VELKARO_SCREEN, VELKARO_MONITORS, VELKARO_WINDOW_METRICS).
#   own_display_test.sh WORK_DIR E2E_TESTS_EXE SAVER GTEST_FILTER
set -euo pipefail
here=$(cd "$(dirname "$0")/../../scripts" && pwd)
work=$1 driver=$2 saver=$3 filter=$4
mkdir -p "$work"
"$here/test-env.sh" start "$work"
trap '"$here/test-env.sh" stop "$work"' EXIT
. "$work/test-env/env"
wine "$driver" "Z:$saver" --gtest_filter="$filter" \
  >"$work/driver.log" 2>&1 </dev/null || { cat "$work/driver.log"; exit 1; }
cat "$work/driver.log"
