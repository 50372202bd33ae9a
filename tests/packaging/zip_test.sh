#!/usr/bin/env bash
# The zip of both Velkaro.scr files: built twice from the same files (seconds
# apart, with other times) it is the same bytes; it holds the read-me and
# each file under its word size's folder, unchanged.
#   zip_test.sh BUILD_DIR SCR64 SCR32
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?build directory}" && pwd)
scr64=${2:?} scr32=${3:?}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$here/package_test_common.sh"

make_zip="$here/../../packaging/make-zip.sh"
"$make_zip" "$work/a.zip" "$scr64" "$scr32" || { echo "FAIL: zip"; exit 1; }
# The second build more than a zip time step (two seconds) later, from
# copies with times of their own.
sleep 2.1
cp "$scr64" "$work/64.scr" && cp "$scr32" "$work/32.scr"
"$make_zip" "$work/b.zip" "$work/64.scr" "$work/32.scr"
cmp -s "$work/a.zip" "$work/b.zip" || fail "two builds of the zip differ"

top=Velkaro-$VELKARO_VERSION
expected=$(printf '%s\n' "$top/README.txt" "$top/32-bit/Velkaro.scr" "$top/64-bit/Velkaro.scr")
[ "$(zipinfo -1 "$work/a.zip")" = "$expected" ] || fail "entries: $(zipinfo -1 "$work/a.zip" | tr '\n' ' ')"
unzip -p "$work/a.zip" "$top/64-bit/Velkaro.scr" | cmp -s - "$scr64" || fail "the 64-bit file"
unzip -p "$work/a.zip" "$top/32-bit/Velkaro.scr" | cmp -s - "$scr32" || fail "the 32-bit file"
unzip -p "$work/a.zip" "$top/README.txt" | grep -q "^Velkaro $VELKARO_VERSION " || fail "read-me version"

echo "windows_zip: $failures failed"
[ $failures -eq 0 ]
