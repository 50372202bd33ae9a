#!/usr/bin/env bash
# Runs a Windows program of a build tree under Wine, on that tree's test
# display (started for this one run when ctest has not started it already).
#   wine-run.sh BUILD_DIR PROGRAM [ARGS...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?build directory}" && pwd)
shift

own_env=0
if [ ! -f "$build/test-env/env" ]; then
  "$here/test-env.sh" start "$build"
  own_env=1
fi
# shellcheck disable=SC1091
. "$build/test-env/env"

# Wine starts its system processes (services, the desktop window) on demand,
# and they live on with the wineserver. They would inherit this command's
# output and keep the caller (ctest) waiting for it to close, so the
# program's output goes through a file.
out=$(mktemp)
status=0
wine "$@" >"$out" 2>&1 </dev/null || status=$?
cat "$out"
rm -f "$out"
[ $own_env -eq 1 ] && "$here/test-env.sh" stop "$build"
exit $status
