#!/usr/bin/env bash
# What the web page costs in Chromium beside the native hack, each filling a
# private virtual display (Xvfb) at 1024x768 and 1920x1080: the page as a
# replay of pattern 0 at 60 frames a second (index.html?pattern=0&fps=60,
# which runs until a key) in a kiosk window, and the hack on the root window
# (velkaro --root, 60 frames a second). Measured the way scripts/hack-cpu.sh
# measures: utime + stime from /proc over a measuring window after a few
# seconds of start-up, as a share of one core. For Chromium the figure is
# the sum over all its processes (browser, GPU, renderer, utilities); a
# process that ends inside the window takes its time with it, and the table
# says how many did.
#   page-cpu.sh [PAGE_DIR [VELKARO [SECONDS]]]
#   (defaults: build/web/page, build/host/src/xhack/velkaro, 10 s)
# Xvfb has no GPU, so Chromium composites in software here, as it would on a
# machine without graphics acceleration; the X server's share is beside.
# Prints a Markdown table. Compare within one run.
set -euo pipefail
cd "$(dirname "$0")/.."
page=$(realpath "${1:-build/web/page}")/index.html
velkaro=$(realpath "${2:-build/host/src/xhack/velkaro}")
seconds=${3:-10}
chromium=${VELKARO_CHROMIUM:-chromium}
[ -f "$page" ] || { echo "missing $page (cmake --build --preset web)" >&2; exit 1; }
[ -x "$velkaro" ] || { echo "missing $velkaro (cmake --build build/host --target velkaro)" >&2; exit 1; }
command -v "$chromium" >/dev/null || { echo "missing $chromium (apt-get install chromium)" >&2; exit 1; }

ticks=$(getconf CLK_TCK)
work=$(mktemp -d)
xvfb_pid="" run_pid=""
stop() {
  [ -n "$1" ] || return 0
  kill "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}
cleanup() {
  stop "$run_pid"
  stop "$xvfb_pid"
  rm -rf "$work"
}
trap cleanup EXIT

# "pid ticks kind" for the process and every descendant of it; the kind is
# Chromium's --type (renderer, gpu-process, ...) or "main".
tree_ticks() {
  local pid kind
  for pid in $(ps -e -o pid=,ppid= | awk -v root="$1" '
      { parent[$1] = $2 }
      END { for (p in parent) { q = p; while (q in parent && q != root && q > 1) q = parent[q]
                                if (q == root) print p } }'); do
    # Chromium rewrites its children's command lines as one line of text.
    kind=$(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -o -- '--type=[a-z-]*' | head -1 || true)
    kind=${kind#--type=}
    awk -v p="$pid" -v k="${kind:-main}" '{ print p, $14 + $15, k }' "/proc/$pid/stat" 2>/dev/null || true
  done
}
# The ticks spent between two tree_ticks snapshots: a process seen only in
# the second counts from its start. Prints "ticks ended_processes" and then
# the two kinds of process that took most, with their shares.
ticks_between() {
  awk -v hz="$ticks" -v s="$seconds" 'FNR == NR { before[$1] = $2; next }
       { d = $2 - ($1 in before ? before[$1] : 0); spent += d; by[$3] += d; seen[$1] = 1 }
       END { for (p in before) if (!(p in seen)) ended++
             printf "%d %d", spent, ended
             for (n = 0; n < 2; ++n) { top = ""; for (k in by) if (top == "" || by[k] > by[top]) top = k
                                       if (top == "") break
                                       printf " %s:%.1f%%", top, 100 * by[top] / hz / s; delete by[top] }
             print "" }' "$1" "$2"
}
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
share() { awk -v t="$1" -v hz="$ticks" -v s="$seconds" 'BEGIN { printf "%.1f %%", 100 * t / hz / s }'; }

# One program on the display: started, given its start-up, then measured.
# Prints a table row.
measure() {
  local size=$1 name=$2 startup=$3
  shift 3
  "$@" >/dev/null 2>&1 &
  run_pid=$!
  sleep "$startup"
  tree_ticks "$run_pid" >"$work/before"
  local x0=$(cpu_ticks "$xvfb_pid")
  sleep "$seconds"
  tree_ticks "$run_pid" >"$work/after"
  local x1=$(cpu_ticks "$xvfb_pid")
  stop "$run_pid"
  run_pid=""
  read -r spent ended most < <(ticks_between "$work/before" "$work/after")
  local processes=$(wc -l <"$work/after")
  echo "| $size | $name | $(share "$spent") | $processes ($ended ended) | ${most:-} | $(share $((x1 - x0))) |"
}

echo "| size | program | CPU (all its processes) | processes | most of it | X server CPU |"
echo "|---|---|---|---|---|---|"
for size in 1024x768 1920x1080; do
  rm -f "$work/display"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
  xvfb_pid=$!
  while [ ! -s "$work/display" ]; do sleep 0.05; done
  export DISPLAY=":$(tr -d '\n' <"$work/display")"
  measure "$size" "velkaro hack" 2 "$velkaro" --root
  rm -rf "$work/profile"
  # --no-sandbox: Chromium refuses to run as root with its sandbox.
  measure "$size" "page in Chromium" 6 "$chromium" --kiosk --no-sandbox --user-data-dir="$work/profile" \
    --no-first-run --no-default-browser-check --disable-background-networking \
    --disable-component-update --disable-sync --disable-features=Translate --noerrdialogs \
    --password-store=basic \
    --window-position=0,0 --window-size="${size/x/,}" "file://$page?pattern=0&fps=60"
  stop "$xvfb_pid"
  xvfb_pid=""
done
echo
echo "Chromium $("$chromium" --version 2>/dev/null | awk '{ print $2 }'); machine load $(cut -d' ' -f1-3 /proc/loadavg) ($(nproc) cores)"
