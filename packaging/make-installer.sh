#!/usr/bin/env bash
# Builds the Velkaro setup program with NSIS (makensis).
#   make-installer.sh OUT.exe SCR64 SCR32 ICON [TARGET]
# TARGET is x86-unicode, the installer that ships, or amd64-unicode, the
# same installer as a 64-bit program (what the tests run under wine64).
# VELKARO_VERSION, VELKARO_PUBLISHER, VELKARO_COPYRIGHT (a build tree's
# release.env) and SOURCE_DATE_EPOCH come from the environment.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$(realpath -m "${1:?output file}")
target=${5:-x86-unicode}
: "${VELKARO_VERSION:?}" "${VELKARO_PUBLISHER:?}" "${VELKARO_COPYRIGHT:?}" "${SOURCE_DATE_EPOCH:?}"

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
# NSIS keeps each file's modification time in the installer and gives it to
# the installed file: the release's time, not the build's, keeps the
# installer the same on every build.
install -m 644 "${2:?64-bit Velkaro.scr}" "$stage/Velkaro64.scr"
install -m 644 "${3:?32-bit Velkaro.scr}" "$stage/Velkaro32.scr"
install -m 644 "${4:?icon}" "$stage/velkaro.ico"
touch -d "@$SOURCE_DATE_EPOCH" "$stage"/*

mkdir -p "$(dirname "$out")"
# -WX: a warning (an unused define, a missing file) fails the build.
makensis -V2 -WX -INPUTCHARSET UTF8 \
  "-DVERSION=$VELKARO_VERSION" "-DPUBLISHER=$VELKARO_PUBLISHER" "-DCOPYRIGHT=$VELKARO_COPYRIGHT" \
  "-DSCR64=$stage/Velkaro64.scr" "-DSCR32=$stage/Velkaro32.scr" "-DICON=$stage/velkaro.ico" \
  "-DTARGET=$target" "-DOUTFILE=$out" "$here/windows/velkaro.nsi"
