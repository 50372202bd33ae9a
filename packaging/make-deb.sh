#!/usr/bin/env bash
# Builds the Debian package of the XScreenSaver hack with dpkg-deb.
#   make-deb.sh OUT.deb PROGRAM VELKARO_XML
# VELKARO_VERSION, VELKARO_COPYRIGHT, VELKARO_MAINTAINER (a build tree's
# release.env) and SOURCE_DATE_EPOCH come from the environment. The package
# puts the program and its .xml where Debian's XScreenSaver looks for them.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$(realpath -m "${1:?output file}")
program=${2:?the velkaro program} xml=${3:?velkaro.xml}
: "${VELKARO_VERSION:?}" "${VELKARO_COPYRIGHT:?}" "${VELKARO_MAINTAINER:?}" "${SOURCE_DATE_EPOCH:?}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/root doc=$work/root/usr/share/doc/velkaro
umask 022
mkdir -p "$root/DEBIAN" "$root/usr/libexec/xscreensaver" "$root/usr/share/xscreensaver/config" "$doc"
strip --strip-unneeded --remove-section=.comment --remove-section=.note \
  -o "$root/usr/libexec/xscreensaver/velkaro" "$program"
install -m 644 "$xml" "$root/usr/share/xscreensaver/config/velkaro.xml"

fill() {
  sed -e "s|@VERSION@|$VELKARO_VERSION|g" -e "s|@MAINTAINER@|$VELKARO_MAINTAINER|g" \
      -e "s|@COPYRIGHT_HOLDERS@|${VELKARO_COPYRIGHT#Copyright (C) }|g" \
      -e "s|@DATE@|$(LC_ALL=C date -u -R -d "@$SOURCE_DATE_EPOCH")|g" "$1"
}
fill "$here/debian/copyright" >"$doc/copyright"
fill "$here/debian/changelog" >"$work/changelog"
touch -d "@$SOURCE_DATE_EPOCH" "$work/changelog"
gzip -9nc "$work/changelog" >"$doc/changelog.gz"
chmod 644 "$doc"/*

# The libraries' packages, as dpkg-shlibdeps reads them from the system's
# symbols files; it wants a debian/control beside it.
mkdir -p "$work/src/debian"
printf 'Source: velkaro\n\nPackage: velkaro\nArchitecture: any\n' >"$work/src/debian/control"
depends=$(cd "$work/src" && dpkg-shlibdeps -O "$root/usr/libexec/xscreensaver/velkaro" |
          sed -n 's/^shlibs:Depends=//p')
size=$(du -sk --exclude=DEBIAN "$root" | cut -f1)
fill "$here/debian/control" | sed -e "s|@ARCH@|$(dpkg --print-architecture)|" \
  -e "s|@SIZE@|$size|" -e "s|@DEPENDS@|$depends|" >"$root/DEBIAN/control"
(cd "$root" && find usr -type f | LC_ALL=C sort | xargs md5sum) >"$root/DEBIAN/md5sums"
chmod 644 "$root/DEBIAN"/*

# Every time in the package is the release's: dpkg-deb clamps the files'
# times to SOURCE_DATE_EPOCH and uses it for the archive members.
find "$root" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
mkdir -p "$(dirname "$out")"
dpkg-deb --root-owner-group -Zxz --build "$root" "$out" >/dev/null
