#!/usr/bin/env bash
# What the running saver costs: Velkaro.scr /s under Wine on a 1024x768
# virtual display (with VELKARO_MONITORS=2, beside an 800x600 second monitor) at 60 frames per second, one run per pattern. For each it
# prints the CPU time of the saver's wine process over a measuring window
# (as a share of one core; the wineserver's and the X server's share beside
# it), the time from process start to the first presented frame, the peak
# resident size, and the longest gap between frames.
#   saver-cpu.sh [--gdi-beside] BUILD_DIR [SECONDS [RUNS [PATTERN...]]]
#   (defaults: 10 s, 3 runs, patterns 6 12 20)
# --gdi-beside measures every run a second time with ddraw.dll disabled for
# Wine (WINEDLLOVERRIDES=ddraw=d), so that the saver presents through GDI,
# and prints the two side by side (column "via").
# BUILD_DIR is a built Windows tree. Runs on a private display, sound card
# and Wine prefix under BUILD_DIR/saver-cpu; the first, unmeasured run warms
# Wine up.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
ways=(directdraw)
if [ "${1:-}" = --gdi-beside ]; then ways=(directdraw gdi); shift; fi
build=$(cd "${1:?Windows build directory}" && pwd)
seconds=${2:-10}
runs=${3:-3}
shift $(( $# > 3 ? 3 : $# ))
patterns=("${@:-6 12 20}")
[ $# -gt 0 ] || patterns=(6 12 20)
saver=$build/src/Velkaro.scr
[ -f "$saver" ] || { echo "missing $saver" >&2; exit 1; }
work=$build/saver-cpu
mkdir -p "$work/folder"
cp "$saver" "$work/folder/Velkaro.scr"
VELKARO_SCREEN=1024x768x24 "$here/test-env.sh" start "$work"
trap '"$here/test-env.sh" stop "$work"' EXIT
. "$work/test-env/env"
ticks=$(getconf CLK_TCK)

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }
# The wineserver of this environment's prefix (others may run beside it).
server_pid() {
  local p
  for p in $(pgrep -f wineserver || true); do
    grep -qz "WINEPREFIX=$WINEPREFIX" "/proc/$p/environ" 2>/dev/null && { echo "$p"; return; }
  done
}
xserver_pid=$(cat "$work/test-env/xserver.pid")

# The pattern number goes under the pattern key, in the file's own code page.
write_ini() {
  printf '[Section]\r\n\xCA\xDF\xC0\xB0\xDD= %s\r\nBGM\x8B\xE6\x95\xAA= 0\r\n' "$1" \
    >"$work/folder/Velkaro.ini"
}

# One run: prints the CPU shares, the start-up times, the peak resident size,
# and from the frame log's one-second periods the frames per second and the
# longest gap between frames.
measure() {
  local pattern=$1 via=${2:-directdraw} log=$work/frames.log pid="" started overrides=$WINEDLLOVERRIDES
  [ "$via" = gdi ] && overrides="$overrides;ddraw=d"
  write_ini "$pattern"
  rm -f "$log"
  started=$(date +%s%N)
  WINEDLLOVERRIDES=$overrides VELKARO_FRAME_LOG="Z:${log//\//\\}" VELKARO_FRAME_LOG_PERIOD_S=1 wine "$work/folder/Velkaro.scr" /s >/dev/null 2>&1 </dev/null &
  for _ in $(seq 500); do
    pid=$(pgrep -f 'folder/Velkaro\.scr /s' | head -1 || true)
    [ -n "$pid" ] && [ -s "$log" ] && break
    sleep 0.01
  done
  local seen=$(date +%s%N)
  sleep 2  # past the start-up work
  local server=$(server_pid)
  local a=$(cpu_ticks "$pid") s=$(cpu_ticks "$server") x=$(cpu_ticks "$xserver_pid")
  sleep "$seconds"
  local b=$(cpu_ticks "$pid") t=$(cpu_ticks "$server") y=$(cpu_ticks "$xserver_pid")
  local rss=$(awk '/^VmHWM/ {print $2}' "/proc/$pid/status")
  kill "$pid" 2>/dev/null || true
  wait 2>/dev/null || true
  local first=$(sed -n 's/^first_frame_ms=//p' "$log" | tr -d '\r')
  local frames=$(tr -d '\r' <"$log" | awk -F'[ =]' '/^period=/ && $2 >= 2 { n++; f += $4; if ($6 > g) g = $6 }
      END { printf "%.1f %.1f", n ? f / n : 0, g }')
  awk -v a="$a" -v b="$b" -v s="$s" -v t="$t" -v x="$x" -v y="$y" -v hz="$ticks" -v secs="$seconds" \
      -v first="${first:-nan}" -v outside="$(( (seen - started) / 1000000 ))" -v rss="$rss" -v frames="$frames" \
      'BEGIN { split(frames, f, " ")
               printf "%6.1f %6.1f %6.1f %8s %8d %8d %6.1f %7.1f\n", (b - a) * 100 / hz / secs,
               (t - s) * 100 / hz / secs, (y - x) * 100 / hz / secs, first, outside, rss, f[1], f[2] }'
}

measure "${patterns[0]}" >/dev/null  # warms Wine up
layout=1024x768x24
[ "${VELKARO_MONITORS:-1}" = 2 ] && layout="1024x768x24 + 800x600x24 (two monitors)"
echo "Velkaro.scr /s, $layout, ${seconds} s per run, $runs runs per pattern"
printf '%-8s %-10s %6s %6s %6s %8s %8s %8s %6s %7s\n' pattern via saver% server% xsrv% first_ms seen_ms peak_kb fps gap_ms
for pattern in "${patterns[@]}"; do
  for _ in $(seq "$runs"); do
    for via in "${ways[@]}"; do
      printf '%-8s %-10s %s\n' "$pattern" "$via" "$(measure "$pattern" "$via")"
    done
  done
done
echo "saver%: CPU of the saver's wine process as a share of one core; first_ms: process"
echo "start to first presented frame as the saver sees it; seen_ms: launch to that frame"
echo "as seen from outside (Wine's own process start included); peak_kb: VmHWM;"
echo "fps and gap_ms: frames per second and the longest gap between two frames;"
echo "via: the presentation (gdi: ddraw.dll disabled for Wine)."
echo "Machine load: $(cut -d' ' -f1-3 /proc/loadavg) ($(nproc) cores)"
