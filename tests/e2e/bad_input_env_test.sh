#!/usr/bin/env bash
# The bad-environment rows of the bad-input tests, in a test environment of
# their own: a run with MP3 music on a 16-bit display, the same with no
# sound card (no sound server to reach), and a sound card that vanishes while
# the MP3 plays (the sound server is killed mid-run). The 24-bit display is
# the usual test display, where e2e_tests runs the same rows.
#   bad_input_env_test.sh WORK_DIR E2E_TESTS_EXE SAVER TONE_MP3
set -euo pipefail
here=$(cd "$(dirname "$0")/../../scripts" && pwd)
work=$1 driver=$2 saver=$3 tone=$4
mkdir -p "$work"
VELKARO_SCREEN=1024x768x16 "$here/test-env.sh" start "$work"
trap '"$here/test-env.sh" stop "$work"' EXIT
. "$work/test-env/env"
export VELKARO_TONE_MP3="Z:${tone//\//\\}"

driver() {  # LABEL GTEST_FILTER [ENV...]
  local label=$1 filter=$2; shift 2
  echo "== $label"
  env "$@" wine "$driver" "Z:$saver" --gtest_filter="$filter" >"$work/$label.log" 2>&1 </dev/null \
    || { cat "$work/$label.log"; return 1; }
  grep -E '^\[  (PASSED|FAILED|SKIPPED) ' "$work/$label.log" || true
}

status=0
driver depth16 'BadEnvironment.ARunWithMusicShowsAndEndsOnAKey' || status=1
driver no-sound-card 'BadEnvironment.ARunWithMusicShowsAndEndsOnAKey' \
  PULSE_SERVER=unix:/nonexistent/velkaro-no-sound || status=1

# The vanishing card: the driver says when the music plays, the sound server
# is killed, and the driver is told.
sync=$work/sync
rm -rf "$sync" && mkdir -p "$sync"
VELKARO_SYNC_DIR="Z:${sync//\//\\}" wine "$driver" "Z:$saver" \
  --gtest_filter='BadEnvironment.TheSoundCardVanishing*' >"$work/vanish.log" 2>&1 </dev/null &
vanish=$!
for _ in $(seq 300); do [ -e "$sync/playing" ] && break; sleep 0.1; done
if [ -e "$sync/playing" ]; then
  kill "$(cat "$work/test-env/pulse.pid")"
  touch "$sync/gone"
fi
echo "== sound card vanishes"
if wait $vanish; then grep -E '^\[  (PASSED|FAILED|SKIPPED) ' "$work/vanish.log" || true
else cat "$work/vanish.log"; status=1; fi
# The environment, its sound server included, ends with this script (trap),
# so no later test meets the killed server.
exit $status
