#!/usr/bin/env bash
# Builds a release from clean build trees and writes into dist/:
#   Velkaro-<version>-setup.exe        the Windows setup program (x86, NSIS)
#   Velkaro-<version>-windows.zip      both Velkaro.scr files and a read-me
#   velkaro_<version>_<arch>.deb       the XScreenSaver hack for Debian
#   Velkaro-<version>-web.zip          the web page (index.html, velkaro.js) and a read-me
#   SHA256SUMS
# The trees are build/release/{host,windows64,windows,web}, made afresh. Every
# time inside the packages is the last commit's (SOURCE_DATE_EPOCH), so two
# runs on the same commit in the same folder give the same bytes.
# Nothing here runs a Windows program: the 32-bit tree and the x86 setup
# program are made by the MinGW and NSIS cross tools, so a machine where
# setup could not install the 32-bit Wine makes the same release (only
# scripts/test-all.sh needs that Wine, to test them).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "release: warning: the work tree has uncommitted changes, and they are in this build" >&2
fi
jobs=${VELKARO_JOBS:-$(nproc)}
trees=build/release
rm -rf "$trees" dist
mkdir -p "$trees/stage" dist

# The hack with Debian's hardening flags (and its file-name map, which
# keeps the build folder out of the program).
echo "== host (velkaro)"
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
LDFLAGS="$(dpkg-buildflags --get LDFLAGS) -Wl,-z,now" \
  cmake --preset host -B "$trees/host" >/dev/null
cmake --build "$trees/host" -j "$jobs" --target velkaro
for preset in windows64 windows; do
  echo "== $preset (Velkaro.scr)"
  cmake --preset "$preset" -B "$trees/$preset" >/dev/null
  cmake --build "$trees/$preset" -j "$jobs" --target Velkaro
done

# The page: the engine in WebAssembly, inlined into velkaro.js.
echo "== web (the page)"
export NODE_PATH=/usr/share/nodejs
cmake --preset web -B "$trees/web" >/dev/null
cmake --build "$trees/web" -j "$jobs" --target velkaro_page

set -a
. "$trees/host/release.env"
set +a
version=$VELKARO_VERSION
# The build trees' Velkaro.scr without its debugging sections.
x86_64-w64-mingw32-strip --strip-debug -o "$trees/stage/Velkaro64.scr" "$trees/windows64/src/Velkaro.scr"
i686-w64-mingw32-strip --strip-debug -o "$trees/stage/Velkaro32.scr" "$trees/windows/src/Velkaro.scr"

echo "== packages"
packaging/make-installer.sh "dist/Velkaro-$version-setup.exe" \
  "$trees/stage/Velkaro64.scr" "$trees/stage/Velkaro32.scr" "$trees/windows64/art/velkaro.ico"
packaging/make-zip.sh "dist/Velkaro-$version-windows.zip" \
  "$trees/stage/Velkaro64.scr" "$trees/stage/Velkaro32.scr"
packaging/make-deb.sh "dist/velkaro_${version}_$(dpkg --print-architecture).deb" \
  "$trees/host/src/xhack/velkaro" src/xhack/velkaro.xml
packaging/make-web-zip.sh "dist/Velkaro-$version-web.zip" "$trees/web/page"
(cd dist && sha256sum -- *.exe *.zip *.deb >SHA256SUMS)
cat dist/SHA256SUMS
