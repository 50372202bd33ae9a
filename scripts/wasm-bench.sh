#!/usr/bin/env bash
# One engine frame (the production StepFrame through PatternRun, 120 warm-up
# frames, as BM_Frame times it) natively and as WebAssembly under node, with
# and without WebAssembly SIMD, side by side in one run:
#   native GB   Google Benchmark's BM_Frame (host tree, RelWithDebInfo)
#   native      velkaro_frame_timing natively: the plain clock loop that
#               node runs, to show that the two ways of timing agree
#   wasm        velkaro_frame_timing under node, web tree without SIMD
#   wasm SIMD   the same built with -msimd128 -msse2 (the engine's SSE2 forms
#               on emscripten's SSE headers)
# Each round runs every column once per pattern; the table gives the median
# of the rounds in ns per frame, and the ratios to native GB.
#   scripts/wasm-bench.sh [PATTERN...]   (default 0 12 25)
#   VELKARO_ROUNDS (default 5), VELKARO_MIN_TIME (seconds per figure, 0.5)
# Builds what it needs in build/perf-host (as scripts/perf-report.sh; or
# VELKARO_HOST_TREE, a RelWithDebInfo host tree such as build/host),
# build/wasm-bench-plain and build/wasm-bench-simd. Wall clock on a shared
# machine: compare within one run.
set -euo pipefail
cd "$(dirname "$0")/.."
patterns=("$@")
[ ${#patterns[@]} -gt 0 ] || patterns=(0 12 25)
rounds=${VELKARO_ROUNDS:-5}
min_time=${VELKARO_MIN_TIME:-0.5}
toolchain=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

host=${VELKARO_HOST_TREE:-build/perf-host}
cmake -S . -B "$host" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$host" -j2 --target velkaro_benchmarks velkaro_frame_timing >/dev/null
for simd in plain simd; do
  tree=build/wasm-bench-$simd
  flag=OFF
  [ "$simd" = simd ] && flag=ON
  cmake -S . -B "$tree" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DVELKARO_WEB_SIMD="$flag" >/dev/null
  cmake --build "$tree" -j2 --target velkaro_frame_timing >/dev/null
done

results=$(mktemp)
trap 'rm -f "$results"' EXIT
filter="BM_Frame/pattern:($(IFS='|'; echo "${patterns[*]}"))/scalar:0\$"
for round in $(seq "$rounds"); do
  # Google Benchmark's real time (wall clock), as the plain loop measures.
  "$host/benchmarks/velkaro_benchmarks" --benchmark_filter="$filter" \
    --benchmark_min_time="$min_time" --benchmark_format=csv 2>/dev/null |
    awk -F, -v r="$round" '/^"BM_Frame/ { split($1, a, /pattern:|\//); print "nativeGB", a[3], $3 }' \
      >>"$results"
  "$host/benchmarks/velkaro_frame_timing" --repetitions 1 --min-time "$min_time" "${patterns[@]}" |
    awk -F, '{ print "native", $1, $2 }' >>"$results"
  for simd in plain simd; do
    node "build/wasm-bench-$simd/benchmarks/velkaro_frame_timing.js" --repetitions 1 \
      --min-time "$min_time" "${patterns[@]}" | awk -F, -v c="wasm-$simd" '{ print c, $1, $2 }' \
      >>"$results"
  done
done

echo "One engine frame, ns (median of $rounds rounds; node $(node --version), $(nproc) cores)"
echo
echo "| pattern | native GB | native | wasm | wasm SIMD | wasm / native | wasm SIMD / native |"
echo "|---|---|---|---|---|---|---|"
for p in "${patterns[@]}"; do
  median() {
    awk -v c="$1" -v p="$p" '$1 == c && $2 == p { print $3 }' "$results" | sort -g |
      awk '{ v[NR] = $1 } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
  }
  gb=$(median nativeGB) plain_native=$(median native) wasm=$(median wasm-plain) simd=$(median wasm-simd)
  awk -v p="$p" -v gb="$gb" -v n="$plain_native" -v w="$wasm" -v s="$simd" 'BEGIN {
    printf "| %s | %.0f | %.0f | %.0f | %.0f | %.2fx | %.2fx |\n", p, gb, n, w, s, w / gb, s / gb }'
done
echo
echo "Machine load: $(cut -d' ' -f1-3 /proc/loadavg)"
