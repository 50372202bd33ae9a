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

status=0
wine "$@" || status=$?
[ $own_env -eq 1 ] && "$here/test-env.sh" stop "$build"
exit $status
