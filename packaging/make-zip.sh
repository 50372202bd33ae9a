#!/usr/bin/env bash
# Zips both Velkaro.scr files with a short read-me.
#   make-zip.sh OUT.zip SCR64 SCR32
# VELKARO_VERSION, VELKARO_COPYRIGHT (a build tree's release.env) and
# SOURCE_DATE_EPOCH come from the environment.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$(realpath -m "${1:?output file}")
: "${VELKARO_VERSION:?}" "${VELKARO_COPYRIGHT:?}" "${SOURCE_DATE_EPOCH:?}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
top=Velkaro-$VELKARO_VERSION
mkdir -p "$work/$top/64-bit" "$work/$top/32-bit"
install -m 644 "${2:?64-bit Velkaro.scr}" "$work/$top/64-bit/Velkaro.scr"
install -m 644 "${3:?32-bit Velkaro.scr}" "$work/$top/32-bit/Velkaro.scr"
# Windows line ends, for Notepad.
sed -e "s|@VERSION@|$VELKARO_VERSION|g" -e "s|@COPYRIGHT@|$VELKARO_COPYRIGHT|g" -e 's/$/\r/' \
  "$here/windows/README.txt" >"$work/$top/README.txt"
chmod 644 "$work/$top/README.txt"
. "$here/zip-common.sh"
reproducible_zip "$out" "$work" "$top/README.txt" "$top/32-bit/Velkaro.scr" "$top/64-bit/Velkaro.scr"
