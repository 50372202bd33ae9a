#!/usr/bin/env bash
# Long runs of Velkaro.scr /s under Wine with MP3 music, one per pattern,
# each in a test environment (display, sound, Wine prefix) of its own, all at
# once. Every minute each run samples the saver's private bytes, GDI and USER
# objects and handles (from inside Wine) and the resident and data size of
# its wine process (from /proc), and the saver's own frame log (frames per
# minute, the longest gap between two frames, gaps over 100 ms); each run
# ends on a key press.
#   long-run.sh BUILD_DIR MINUTES PATTERN...    e.g. long-run.sh build/windows 30 6 12 21
# BUILD_DIR is a configured and built Windows tree. The series go to
# BUILD_DIR/long-run/pattern-N.log, proc-N.log, frames-N.log and summary.txt.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?Windows build directory}" && pwd)
minutes=${2:?minutes}
shift 2
[ $# -gt 0 ] || { echo "usage: long-run.sh BUILD_DIR MINUTES PATTERN..." >&2; exit 2; }
driver=$build/tests/e2e/velkaro_e2e_tests.exe
saver=$build/src/Velkaro.scr
tone=$build/tests/e2e/tone.mp3
for f in "$driver" "$saver" "$tone"; do [ -f "$f" ] || { echo "missing $f" >&2; exit 1; }; done
out=$build/long-run
mkdir -p "$out"

run_pattern() {
  local pattern=$1 work=$out/env-$1 log=$out/pattern-$1.log frames=$out/frames-$1.log
  mkdir -p "$work"
  rm -f "$frames"
  "$here/test-env.sh" start "$work"
  (
    . "$work/test-env/env"
    VELKARO_LONG_RUN_MINUTES=$minutes VELKARO_LONG_RUN_PATTERN=$pattern \
      VELKARO_TONE_MP3="Z:${tone//\//\\}" VELKARO_FRAME_LOG="Z:${frames//\//\\}" \
      wine "$driver" "Z:$saver" --gtest_filter=LongRun.* >"$log" 2>&1 </dev/null
  ) &
  local driver_pid=$!
  # The wine process of this run's saver: the one whose environment names
  # this run's Wine prefix, started from its own folder's copy (the driver's
  # command line names the saver too).
  local unix_pid="" minute=0
  for _ in $(seq 150); do
    for p in $(pgrep -f 'Velkaro\.scr /s' || true); do
      tr '\0' ' ' <"/proc/$p/cmdline" 2>/dev/null | grep -q velkaro_e2e_tests && continue
      grep -qz "WINEPREFIX=$work/wineprefix" "/proc/$p/environ" 2>/dev/null && unix_pid=$p
    done
    [ -n "$unix_pid" ] && break
    sleep 0.2
  done
  while kill -0 "$driver_pid" 2>/dev/null; do
    if [ -n "$unix_pid" ] && [ -r "/proc/$unix_pid/status" ]; then
      echo "proc pattern=$pattern minute=$minute $(grep -E '^(VmRSS|VmData)' "/proc/$unix_pid/status" \
        | tr -s ' \t' ' ' | tr '\n' ' ')fds=$(ls "/proc/$unix_pid/fd" 2>/dev/null | wc -l)" >>"$out/proc-$pattern.log"
    fi
    minute=$((minute + 1))
    for _ in $(seq 60); do kill -0 "$driver_pid" 2>/dev/null || break; sleep 1; done
  done
  local status=0
  wait "$driver_pid" || status=$?
  "$here/test-env.sh" stop "$work"
  echo "pattern $pattern: driver exit $status" >>"$out/summary.txt"
}

: >"$out/summary.txt"
rm -f "$out"/proc-*.log
for pattern in "$@"; do run_pattern "$pattern" & done
wait
for pattern in "$@"; do
  grep -h '^sample' "$out/pattern-$pattern.log" || true
  cat "$out/proc-$pattern.log" 2>/dev/null || true
  sed "s/^/frames pattern=$pattern /" "$out/frames-$pattern.log" 2>/dev/null | tr -d '\r' || true
  grep -hE '^\[  (PASSED|FAILED|SKIPPED) ' "$out/pattern-$pattern.log" || true
done | tee -a "$out/summary.txt"
! grep -q 'exit [1-9]' "$out/summary.txt"
