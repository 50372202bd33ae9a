#!/usr/bin/env bash
# What the velkaro hack costs beside two full-window hacks of Debian's
# XScreenSaver, each drawing on the root window of a private virtual display
# at 1024x768 and 1920x1080, 60 frames a second: the CPU time of the hack
# and of the X server (Xvfb) over a measuring window, as a share of one core.
# The peers' -delay is their sleep after each frame, so they run a little
# under 60 frames a second; velkaro keeps 60.
#   hack-cpu.sh [VELKARO [SECONDS]]   (defaults: build/host/src/xhack/velkaro, 10 s)
# Prints a Markdown table. A machine busy with other work gives higher
# numbers for everyone; compare within one run.
set -euo pipefail
cd "$(dirname "$0")/.."
velkaro=$(realpath "${1:-build/host/src/xhack/velkaro}")
seconds=${2:-10}
peers=/usr/libexec/xscreensaver
[ -x "$velkaro" ] || { echo "missing $velkaro (cmake --build build/host --target velkaro)" >&2; exit 1; }
for p in metaballs marbling; do
  [ -x "$peers/$p" ] || { echo "missing $peers/$p (apt-get install xscreensaver-data)" >&2; exit 1; }
done
hacks=("$velkaro --root" "$peers/metaballs --root --delay 16667" "$peers/marbling --root --delay 16667")

ticks=$(getconf CLK_TCK)
work=$(mktemp -d)
xvfb_pid="" hack_pid=""
cleanup() {
  [ -n "$hack_pid" ] && kill "$hack_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
share() { awk -v t="$1" -v hz="$ticks" -v s="$seconds" 'BEGIN { printf "%.1f %%", 100 * t / hz / s }'; }

echo "| size | hack | hack CPU | X server CPU |"
echo "|---|---|---|---|"
for size in 1024x768 1920x1080; do
  rm -f "$work/display"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
  xvfb_pid=$!
  while [ ! -s "$work/display" ]; do sleep 0.05; done
  export DISPLAY=":$(tr -d '\n' <"$work/display")"
  for hack in "${hacks[@]}"; do
    # shellcheck disable=SC2086
    $hack >/dev/null 2>&1 &
    hack_pid=$!
    sleep 2  # start-up is not measured
    h0=$(cpu_ticks "$hack_pid") x0=$(cpu_ticks "$xvfb_pid")
    sleep "$seconds"
    h1=$(cpu_ticks "$hack_pid") x1=$(cpu_ticks "$xvfb_pid")
    kill "$hack_pid"
    wait "$hack_pid" 2>/dev/null || true
    hack_pid=""
    name=$(basename "${hack%% *}")
    echo "| $size | $name | $(share $((h1 - h0))) | $(share $((x1 - x0))) |"
  done
  kill "$xvfb_pid"
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
done
