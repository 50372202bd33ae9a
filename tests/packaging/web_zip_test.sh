#!/usr/bin/env bash
# The web page's zip: built twice from the same files, seconds apart and with
# other file times, it is the same bytes; it holds the read-me, index.html and velkaro.js under
# one folder, the page's files unchanged; a page folder without velkaro.js
# gives no zip. The page's files are stand-ins: the zip takes them as they
# are.
#   web_zip_test.sh BUILD_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:?build directory}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$here/package_test_common.sh"

make_web_zip="$here/../../packaging/make-web-zip.sh"
mkdir -p "$work/page" "$work/copy"
printf '<!doctype html>\n<canvas id="picture" width="320" height="240"></canvas>\n' >"$work/page/index.html"
head -c 100000 /dev/urandom >"$work/page/velkaro.js"
"$make_web_zip" "$work/a.zip" "$work/page" || fail "zip"
[ -s "$work/a.zip" ] || fail "no zip written"
# The second build more than a zip time step (two seconds) later, from
# copies with times of their own: nothing of the time of building may show.
sleep 2.1
cp "$work/page"/* "$work/copy/"
touch -d '2001-02-03 04:05:06' "$work/copy/index.html"
"$make_web_zip" "$work/b.zip" "$work/copy"
cmp -s "$work/a.zip" "$work/b.zip" || fail "two builds of the zip differ"

top=Velkaro-$VELKARO_VERSION-web
expected=$(printf '%s\n' "$top/README.txt" "$top/index.html" "$top/velkaro.js")
[ "$(zipinfo -1 "$work/a.zip")" = "$expected" ] || fail "entries: $(zipinfo -1 "$work/a.zip" | tr '\n' ' ')"
for file in index.html velkaro.js; do
  unzip -p "$work/a.zip" "$top/$file" | cmp -s - "$work/page/$file" || fail "$file changed in the zip"
done
unzip -p "$work/a.zip" "$top/README.txt" >"$work/README.txt"
grep -q "^Velkaro $VELKARO_VERSION " "$work/README.txt" || fail "read-me version"
grep -q 'double-click index.html' "$work/README.txt" || fail "the read-me does not say how to open the page"
grep -q 'Safari 15' "$work/README.txt" || fail "the read-me does not name the browsers"
grep -q '@' "$work/README.txt" && fail "the read-me keeps a placeholder: $(grep '@' "$work/README.txt")"

rm "$work/copy/velkaro.js"
if "$make_web_zip" "$work/c.zip" "$work/copy" 2>"$work/err"; then fail "a page without velkaro.js was zipped"; fi
[ -e "$work/c.zip" ] && fail "a refused zip was written"
grep -q 'velkaro.js is missing' "$work/err" || fail "the refusal does not name the file: $(cat "$work/err")"

echo "web_zip: $failures failed"
[ $failures -eq 0 ]
