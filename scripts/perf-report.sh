#!/usr/bin/env bash
# Builds the host benchmarks and prints the engine's production forms against
# their plain scalar forms: callgrind instruction counts (noise-free; the
# figures that gate) and Google Benchmark medians of interleaved repetitions
# (wall clock; on a shared machine only the ratios mean anything).
#   scripts/perf-report.sh [BUILD_DIR]   (default build/perf-host)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/perf-host}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target velkaro_benchmarks >/dev/null
bench=$build/benchmarks/velkaro_benchmarks

instructions() {
  valgrind --tool=callgrind --toggle-collect='*MeasuredWork*' \
    --callgrind-out-file=/dev/null "$bench" --measure "$1" 2>&1 |
    sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}

echo "Instructions (callgrind), one piece of work after 120 warm-up frames"
printf '%-10s %14s %14s %8s\n' work scalar production ratio
for work in blur frame12 frame20 frame6; do
  plain=$(instructions "$work-scalar")
  fast=$(instructions "$work")
  printf '%-10s %14s %14s %7.2fx\n' "$work" "$plain" "$fast" "$(echo "$plain / $fast" | bc -l)"
done

echo
echo "Wall clock (Google Benchmark, medians of ${VELKARO_REPETITIONS:-9} interleaved repetitions)"
"$bench" --benchmark_repetitions="${VELKARO_REPETITIONS:-9}" \
  --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true \
  --benchmark_format=csv 2>/dev/null |
  awk -F, '/_median"/ {
      name = $1; gsub(/"/, "", name); sub(/_median$/, "", name)
      key = name; scalar = sub(/scalar:1/, "scalar:X", key); sub(/scalar:0/, "scalar:X", key)
      if (scalar) plain[key] = $4; else fast[key] = $4
      if (!(key in seen)) { seen[key] = 1; order[++n] = key }
    }
    END {
      printf "%-44s %12s %12s %8s\n", "benchmark", "scalar ns", "prod. ns", "ratio"
      for (i = 1; i <= n; ++i) { k = order[i]; label = k; sub(/\/?scalar:X/, "", label)
        printf "%-44s %12.0f %12.0f %7.2fx\n", label, plain[k], fast[k], plain[k] / fast[k] }
    }'
echo
echo "Machine load while measuring: $(cut -d' ' -f1-3 /proc/loadavg) ($(nproc) cores)"
