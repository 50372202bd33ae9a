#!/usr/bin/env bash
# Sets up the machine, builds both trees and runs every test: the host build's
# unit tests, then the Windows build's tests under Wine (unit, wine, e2e).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
jobs=${VELKARO_JOBS:-$(nproc)}
for preset in host windows; do
  echo "== $preset build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

status=0
for preset in host windows; do
  echo "== $preset tests"
  ctest --preset "$preset" -j 1 || status=1
done
exit $status
