# What every package test starts with, sourced once `build` names the build
# tree: a count of failed checks, the project's release values from the
# tree's release.env, and a fixed time for everything the packages stamp.
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
set -a
. "$build/release.env"
set +a
export SOURCE_DATE_EPOCH=1700000000
