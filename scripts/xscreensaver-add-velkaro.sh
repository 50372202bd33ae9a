#!/usr/bin/env bash
# Puts Velkaro at the top of your XScreenSaver's list of display modes, so
# that its settings program (xscreensaver-settings) offers it. XScreenSaver
# lists only the hacks named in the "programs" setting of ~/.xscreensaver;
# without that file it takes the system's list, which this script copies
# first. Nothing changes when Velkaro is listed already.
#   xscreensaver-add-velkaro.sh [HACK OPTIONS...]   (default: --root)
# VELKARO_COMMAND names the program (default: velkaro, which XScreenSaver
# finds in /usr/libexec/xscreensaver).
set -euo pipefail
file=$HOME/.xscreensaver
defaults=${XSCREENSAVER_DEFAULTS:-/etc/X11/app-defaults/XScreenSaver}
command="${VELKARO_COMMAND:-velkaro} ${*:---root}"

if [ ! -f "$file" ]; then
  # The system's list: from "*programs:" to the first line without a
  # continuation backslash.
  awk '/^\*programs:/ { on = 1; sub(/^\*/, "") } on { print } on && !/\\$/ { exit }' \
    "$defaults" >"$file"
fi
if grep -q "^[[:space:]-]*[^[:space:]]*velkaro\( \|$\)" "$file"; then
  echo "Velkaro is listed in $file already"
  exit 0
fi
grep -q '^programs:.*\\$' "$file" || { echo "no programs list in $file" >&2; exit 1; }
tmp=$(mktemp "$file.XXXXXX")
awk -v entry="  $command \\\\n\\\\" \
  '{ print } /^programs:/ && !done { print entry; done = 1 }' "$file" >"$tmp"
mv "$tmp" "$file"
echo "Velkaro is the first display mode in $file; choose it in xscreensaver-settings"
