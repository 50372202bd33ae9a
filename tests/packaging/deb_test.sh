#!/usr/bin/env bash
# The Debian package of the hack: built twice from the same files (with
# other times) it is the same bytes; lintian finds no error; its
# dependencies hold on this machine; it puts the hack and its .xml in the
# folders where Debian's own XScreenSaver hacks are; installed, the hack
# runs, and purged, nothing of it remains.
#
# It is installed into a dpkg root of its own (dpkg --root), not into the
# machine's /usr: a test must neither need a chroot nor replace a velkaro
# that a developer installed there by hand.
#   deb_test.sh BUILD_DIR PROGRAM VELKARO_XML
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?build directory}" && pwd)
program=${2:?} xml=${3:?}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$here/package_test_common.sh"

make_deb="$here/../../packaging/make-deb.sh"
"$make_deb" "$work/a.deb" "$program" "$xml" || { echo "FAIL: dpkg-deb"; exit 1; }
cp "$program" "$work/velkaro" && cp "$xml" "$work/velkaro.xml"
"$make_deb" "$work/b.deb" "$work/velkaro" "$work/velkaro.xml"
cmp -s "$work/a.deb" "$work/b.deb" || fail "two builds of the package differ"

lintian --fail-on error "$work/a.deb" 2>&1 | grep -v 'running with root privileges' || true
lintian --fail-on error "$work/a.deb" >/dev/null 2>&1 || fail "lintian reports errors"

depends=$(dpkg-deb -f "$work/a.deb" Depends)
echo "Depends: $depends"
dpkg-checkbuilddeps -d "$depends" /dev/null || fail "dependencies not met here"
for library in libc6 libx11-6 libxext6; do
  [[ ", $depends" == *", $library"* ]] || fail "no dependency on $library"
done

for folder in /usr/libexec/xscreensaver /usr/share/xscreensaver/config; do
  dpkg-query -L xscreensaver-data | grep -qx "$folder" ||
    fail "Debian's xscreensaver-data has nothing in $folder"
done

root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
# The dependencies are checked above against the machine; the private root
# has no packages at all.
dpkg_root() { dpkg --root="$root" --force-not-root --log=/dev/null "$@"; }
dpkg_root --force-depends -i "$work/a.deb" >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "dpkg -i"; }
[ -f "$root/usr/share/xscreensaver/config/velkaro.xml" ] || fail "velkaro.xml not installed"
"$root/usr/libexec/xscreensaver/velkaro" -help | grep -q -- '-pattern N' || fail "velkaro -help"
dpkg_root --purge velkaro >/dev/null || fail "dpkg --purge"
left=$(cd "$root" && find . -mindepth 1 ! -path './var/lib*' ! -path ./var)
[ -z "$left" ] || fail "left behind: $left"
dpkg_root -l velkaro 2>/dev/null | grep -q '^[ip]i' && fail "still listed as installed"

echo "deb_package: $failures failed"
[ $failures -eq 0 ]
