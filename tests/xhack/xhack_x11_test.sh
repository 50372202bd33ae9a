#!/usr/bin/env bash
# The velkaro hack as XScreenSaver runs it, on virtual displays: it draws the
# pattern's colours into a window it is given, at 24 and at 16 bits and
# without MIT-SHM, follows a resize, ends at once on SIGTERM, ends with
# status 0 and no X error when its window is destroyed, and refuses bad
# options before it opens the display.
#   xhack_x11_test.sh VELKARO TEST_WINDOW
set -u
velkaro=${1:?path of velkaro}
test_window=${2:?path of velkaro_test_window}
work=$(mktemp -d)
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

xvfb_pid=""
stop_display() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  xvfb_pid=""
}
trap 'stop_display; rm -rf "$work"' EXIT

# A private display; Xvfb picks a free number itself (-displayfd).
start_display() {  # DEPTH [XVFB OPTIONS...]
  local depth=$1
  shift
  stop_display
  rm -f "$work/display"
  Xvfb -displayfd 3 -screen 0 "1024x768x$depth" -nolisten tcp "$@" 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.05
  done
  export DISPLAY=":$(tr -d '\n' <"$work/display")"
}

# A window of the test's own, talked to through a coprocess.
open_window() {  # WIDTH HEIGHT
  coproc WINDOW { "$test_window" "$1" "$2"; }
  read -r window_id <&"${WINDOW[0]}"
}
window_command() {
  echo "$*" >&"${WINDOW[1]}"
  local answer
  read -r answer <&"${WINDOW[0]}"
}
close_window() {
  exec {WINDOW[1]}>&-
  wait "$WINDOW_PID" 2>/dev/null
}

# The share of the window's pixels within a few units of a colour.
share_of() {  # COLOUR
  import -window "$window_id" "$work/shot.png" 2>/dev/null
  convert "$work/shot.png" -fuzz 3% -fill white -opaque "$1" -fill black +opaque white \
    -format '%[fx:mean]' info:
}
# The mean colour of a band of rows, "R G B" in 0..255.
band_mean() {  # TOP_PERCENT BOTTOM_PERCENT
  import -window "$window_id" "$work/shot.png" 2>/dev/null
  local w h
  read -r w h <<<"$(identify -format '%w %h' "$work/shot.png")"
  convert "$work/shot.png" -crop "${w}x$((h * ($2 - $1) / 100))+0+$((h * $1 / 100))" +repage \
    -resize '1x1!' -format '%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]' info:
}
at_least() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a >= b) }'; }

start_hack() {  # OPTIONS...
  "$velkaro" -window-id "$window_id" "$@" 2>"$work/stderr" &
  hack_pid=$!
}
# Waits up to a limit in milliseconds for the hack to end; its status then.
hack_ended_within() {  # MS
  local start=$(date +%s%N)
  while kill -0 "$hack_pid" 2>/dev/null; do
    [ $(( ($(date +%s%N) - start) / 1000000 )) -gt "$1" ] && return 1
    sleep 0.01
  done
  wait "$hack_pid"
  hack_status=$?
}

# --- Pattern colours at 24 and 16 bits, with and without MIT-SHM ----------
check_colours() {  # LABEL
  open_window 400 300
  start_hack -pattern 14
  sleep 2
  share=$(share_of 'rgb(0,64,255)')
  at_least "$share" 0.5 || fail "$1: pattern 14's blue covers only $share of the window"
  kill -TERM "$hack_pid"
  hack_ended_within 2000 || fail "$1: pattern 14 did not end"

  start_hack -pattern 0
  sleep 2
  read -r r g b <<<"$(band_mean 70 90)"
  { [ "$r" -ge 200 ] && [ "$b" -le $((r / 2)) ]; } ||
    fail "$1: pattern 0's low rows are $r $g $b, not fire"
  kill -TERM "$hack_pid"
  hack_ended_within 2000 || fail "$1: pattern 0 did not end"
  [ -s "$work/stderr" ] && fail "$1: the hack printed: $(cat "$work/stderr")"
  close_window
}

start_display 24
check_colours "24 bits"
# The segment is shared with the server: it stays attached for the run.
open_window 400 300
start_hack -pattern 14
sleep 1
ipcs -m | awk '$5 == 400 * 300 * 4' | grep -q . || fail "no shared segment of the window's size"
kill -TERM "$hack_pid"
hack_ended_within 2000
close_window

start_display 16
check_colours "16 bits"

start_display 24 -extension MIT-SHM
check_colours "24 bits without MIT-SHM"

# A server that has MIT-SHM but cannot reach the hack's segment (here, one
# in another IPC namespace, as for a display on another machine) refuses
# the attach; the hack must fall back to plain uploads.
start_display 24
if [ "$(id -u)" -eq 0 ]; then isolate=(unshare --ipc); else isolate=(unshare --user --map-root-user --ipc); fi
velkaro_outside=$velkaro
velkaro="$work/isolated"
printf '#!/bin/sh\nexec %s %q "$@"\n' "${isolate[*]}" "$velkaro_outside" >"$velkaro"
chmod +x "$velkaro"
check_colours "24 bits, segment out of the server's reach"
velkaro=$velkaro_outside

# --- A resize is followed ---------------------------------------------------
open_window 300 200
start_hack -pattern 14
sleep 1
window_command resize 800 600
sleep 1
import -window "$window_id" "$work/shot.png" 2>/dev/null
# The part the window gained, right of and below its old size.
gained=$(convert "$work/shot.png" -crop 400x300+400+300 +repage -fuzz 3% -fill white \
  -opaque 'rgb(0,64,255)' -fill black +opaque white -format '%[fx:mean]' info:)
at_least "$gained" 0.5 || fail "after a resize only $gained of the new part shows the pattern"
[ "$(identify -format %w "$work/shot.png")" = 800 ] || fail "the window was not resized"

# --- SIGTERM ends it at once ------------------------------------------------
kill -TERM "$hack_pid"
hack_ended_within 500 || fail "SIGTERM did not end the hack within 0.5 s"
[ "${hack_status:-}" = 0 ] || fail "SIGTERM: status ${hack_status:-none}"
start_hack -pattern 3
sleep 0.5
kill -INT "$hack_pid"
hack_ended_within 500 || fail "SIGINT did not end the hack within 0.5 s"

# --- The window destroyed under it -----------------------------------------
start_hack -pattern 21
sleep 1
window_command destroy
hack_ended_within 2000 || fail "the hack outlived its window"
[ "${hack_status:-}" = 0 ] || fail "window destroyed: status ${hack_status:-none}"
[ -s "$work/stderr" ] && fail "window destroyed: the hack printed: $(cat "$work/stderr")"
close_window

# A window that does not exist: one line, status 1.
"$velkaro" -window-id 0x1fffff0 2>"$work/stderr"
status=$?
[ $status -eq 1 ] || fail "a missing window: status $status"
[ "$(wc -l <"$work/stderr")" = 1 ] || fail "a missing window: not one line"
stop_display

# --- Bad options: one line, status 2, before the display is opened ----------
# (no display exists here, so opening one would end with status 1)
expect_refused() {
  local out status
  out=$(DISPLAY=:none "$velkaro" "$@" 2>&1 >/dev/null)
  status=$?
  [ $status -eq 2 ] || fail "status $status for: $*"
  [ "$(printf '%s\n' "$out" | wc -l)" = 1 ] || fail "not one line for: $*"
}
expect_refused -bogus
expect_refused -pattern 28
expect_refused -pattern
expect_refused -delay soon
expect_refused -window-id 0xZZ
XSCREENSAVER_WINDOW=nowhere expect_refused -root

echo "xhack_x11: $failures failed"
[ $failures -eq 0 ]
