#!/usr/bin/env bash
# Zips the web page (index.html and velkaro.js, as the web tree puts them
# into build/web/page/) with a short read-me.
#   make-web-zip.sh OUT.zip PAGE_FOLDER
# VELKARO_VERSION, VELKARO_COPYRIGHT (a build tree's release.env) and
# SOURCE_DATE_EPOCH come from the environment.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$(realpath -m "${1:?output file}")
page=${2:?the page folder}
: "${VELKARO_VERSION:?}" "${VELKARO_COPYRIGHT:?}" "${SOURCE_DATE_EPOCH:?}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
top=Velkaro-$VELKARO_VERSION-web
mkdir -p "$work/$top"
for file in index.html velkaro.js; do
  [ -f "$page/$file" ] || { echo "make-web-zip: $page/$file is missing" >&2; exit 1; }
  install -m 644 "$page/$file" "$work/$top/$file"
done
# Windows line ends, for Notepad; the other systems read them as well.
sed -e "s|@VERSION@|$VELKARO_VERSION|g" -e "s|@COPYRIGHT@|$VELKARO_COPYRIGHT|g" \
  -e 's/$/\r/' "$here/web/README.txt" >"$work/$top/README.txt"
chmod 644 "$work/$top/README.txt"
. "$here/zip-common.sh"
reproducible_zip "$out" "$work" "$top/README.txt" "$top/index.html" "$top/velkaro.js"
