#!/usr/bin/env bash
# Installs every Debian package the builds and the tests need, and the
# Japanese UTF-8 locale. Safe to run again: it only installs what is missing,
# and where nothing is missing it asks apt for nothing.
#
# Both Windows trees are always built. The 64-bit one runs its tests under
# wine64; the 32-bit one's tests need a 32-bit Wine, which is installed only
# where this machine runs 32-bit programs at all (scripts/can-run-32bit.sh).
#
# A package index can fail to download for a while (a mirror half-way
# through a sync). apt-get update is tried a few times, and then setup goes
# on with the indexes it has: it fails only when a package that the host or
# the 64-bit tree needs cannot be installed, and says which and apt's reason.
# The 32-bit packages are an extra: where they cannot be installed, setup
# says why, keeps apt's reason in $state_file for scripts/can-run-wine32.sh
# (which the test command asks), and succeeds. The file describes this
# machine, not a clone: every clone on it shares it, and the next install
# that brings the 32-bit Wine removes it.
#
# The web tree's browser tests drive Debian's Chromium through
# playwright-core from the npm registry, at the version that
# tests/web/browser/package-lock.json pins; `npm ci` installs it there (no
# browser is downloaded), and only when node_modules/ was not made from that
# very lock file. It needs Node.js 20 or newer; the machine's own node and
# npm are used where there are some, Debian's otherwise.
#
# VELKARO_ROOT (default /) is the root of the files this script itself reads
# and writes (/etc/locale.gen, /var/lib/velkaro); a test points it at a
# folder of its own.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=${VELKARO_ROOT:-}
. "$here/wine32-state.sh"

packages=(
  cmake ninja-build g++ binutils googletest libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-i686-win32 gcc-mingw-w64-i686-win32 binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-win32 gcc-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64
  wine wine64 libwine
  gstreamer1.0-plugins-good gstreamer1.0-plugins-base
  xvfb xauth x11-utils xdotool
  xserver-xorg-core xserver-xorg-video-dummy
  libx11-dev libxext-dev libx11-xcb-dev libxcb-shm0-dev xscreensaver xscreensaver-data
  pulseaudio pulseaudio-utils sox lame
  imagemagick fonts-ipafont-gothic fonts-ipafont-mincho
  valgrind python3 libpng-dev file
  clang libclang-rt-14-dev clang-format
  nsis zip unzip dpkg-dev lintian
  # The tests that run Wine as a user who is not root (useradd, runuser)
  # and under a Japanese locale.
  passwd util-linux locales
  # The web tree: emscripten 3.1.6 (which finds acorn with
  # NODE_PATH=/usr/share/nodejs) and the browser of its tests.
  emscripten node-acorn chromium
)
# A node and npm that came from elsewhere (a nodejs package that includes
# npm, and conflicts with Debian's) are kept.
command -v npm >/dev/null || packages+=(nodejs npm)
node_major_needed=20
browser_tests=$here/../tests/web/browser
# The 32-bit Wine and the i386 GStreamer plugins that its MCI "MPEGVideo"
# plays MP3 files through.
packages_32bit=(
  wine32:i386 libwine:i386
  gstreamer1.0-plugins-good:i386 gstreamer1.0-plugins-base:i386
)
update_tries=3

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
updated=0
# apt's error lines from the last apt-get update that failed, or nothing.
update_errors=""

# apt's own lines that say why it failed: its errors and, for a package it
# cannot install, the unmet dependencies it lists before them. The lines
# that only say that something went wrong are left out where others say
# what.
apt_reasons() {
  local all
  all=$(grep -E '^E: | : (Pre-)?Depends: |^ +(Pre-)?Depends: |^ +(Breaks|Conflicts): ' "$1") || return 0
  grep -vE '^E: (Some index files failed to download|Unable to correct problems|Error, pkgProblemResolver)' <<<"$all" || echo "$all"
}

# Those of the packages (the rest of the arguments) that apt's reasons in
# the file name, or all of them where it names none.
named_in() {
  local reasons=$1 p pattern named=()
  shift
  for p in "$@"; do
    pattern=$(sed 's/[][\.*^$+?(){}|/]/\\&/g' <<<"$p")
    grep -qE "(^|[ '])$pattern([ ']|\$)" "$reasons" && named+=("$p")
  done
  [ ${#named[@]} -gt 0 ] || named=("$@")
  echo "${named[*]}"
}

# The indexes that fail for a while (a mirror in the middle of a sync) come
# right on a later try; apt keeps the ones that did come and the older copy
# of the others, so after the last try the install goes on with those.
update_indexes() {
  local try pause=5
  for ((try = 1; try <= update_tries; try++)); do
    if $sudo apt-get update -q 2>&1 | tee "$work/update.log"; then
      update_errors=""
      updated=1
      return 0
    fi
    update_errors=$(apt_reasons "$work/update.log")
    if [ "$try" -lt "$update_tries" ]; then
      echo "setup: apt-get update failed (try $try of $update_tries); trying again in $pause s" >&2
      sleep "$pause"
      pause=$((pause * 2))
    fi
  done
  echo "setup: apt-get update failed $update_tries times; going on with the indexes it has:" >&2
  sed 's/^/  /' <<<"$update_errors" >&2
  updated=1
}

is_installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

# Installs those of the packages that are missing. Returns 1 where apt could
# not install them, leaving the missing ones in $missing and apt's reasons
# (those of the last failed update first) in $work/reasons.
install_missing() {
  local p
  missing=()
  for p in "$@"; do
    is_installed "$p" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  [ $updated -eq 1 ] || update_indexes
  if $sudo apt-get install -y -q --no-install-recommends "${missing[@]}" 2>&1 | tee "$work/install.log"; then
    return 0
  fi
  { [ -z "$update_errors" ] || sed 's/^/apt-get update: /' <<<"$update_errors"
    apt_reasons "$work/install.log" | sed 's/^ */apt-get install: /'; } >"$work/reasons"
  local still=()
  for p in "${missing[@]}"; do
    is_installed "$p" || still+=("$p")
  done
  missing=("${still[@]}")
  return 1
}

# Debian's locale-gen makes exactly the locales that /etc/locale.gen names
# (and so does the locales package whenever it is upgraded), so the locale
# is named there rather than made once with localedef.
japanese_locale() {
  locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8' && return 0
  local list=$root/etc/locale.gen
  if grep -q '^# *ja_JP\.UTF-8 UTF-8' "$list" 2>/dev/null; then
    $sudo sed -i 's/^# *\(ja_JP\.UTF-8 UTF-8\)/\1/' "$list"
  elif ! grep -q '^ja_JP\.UTF-8 UTF-8' "$list" 2>/dev/null; then
    echo 'ja_JP.UTF-8 UTF-8' | $sudo tee -a "$list" >/dev/null
  fi
  $sudo locale-gen
}

if ! install_missing "${packages[@]}"; then
  echo "setup: FAILED: apt could not install $(named_in "$work/reasons" "${missing[@]}"), which the builds and tests need:" >&2
  sed 's/^/  /' "$work/reasons" >&2
  echo "  (${#missing[@]} packages are still missing: ${missing[*]})" >&2
  exit 1
fi
# npm ci empties node_modules/ and installs the lock file's packages; the
# copy of the lock file left beside them says which lock they came from.
browser_library() {
  local lock=$browser_tests/package-lock.json stamp=$browser_tests/node_modules/.installed-from-lock
  [ -f "$lock" ] || { echo "setup: FAILED: $lock is missing" >&2; return 1; }
  cmp -s "$lock" "$stamp" 2>/dev/null && return 0
  local major found
  major=$(node -p 'process.versions.node.split(".")[0]' 2>/dev/null) || major=0
  if [ "$major" -lt "$node_major_needed" ]; then
    found="$(command -v node) is version $major"
    [ "$major" -gt 0 ] || found="there is no working node"
    echo "setup: FAILED: the browser tests need Node.js $node_major_needed or newer; $found" >&2
    return 1
  fi
  if ! (cd "$browser_tests" && npm ci --ignore-scripts --no-audit --no-fund) >"$work/npm.log" 2>&1; then
    echo "setup: FAILED: npm ci could not install the browser tests' packages in $browser_tests:" >&2
    tail -15 "$work/npm.log" | sed 's/^/  /' >&2
    return 1
  fi
  cp "$lock" "$stamp"
}

japanese_locale
browser_library || exit 1

if ! "$here/can-run-32bit.sh" >/dev/null; then
  # No 32-bit Wine can start here, whatever apt could install.
  $sudo rm -f "$state_file"
  exit 0
fi
# Where an earlier run already found the 32-bit packages out of reach, one
# update per run is enough to notice that the mirror has come right.
[ -s "$state_file" ] && update_tries=1
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
  updated=0
fi
if install_missing "${packages_32bit[@]}"; then
  $sudo rm -f "$state_file"
else
  $sudo mkdir -p "$(dirname "$state_file")"
  { echo "${missing[*]}"; cat "$work/reasons"; } | $sudo tee "$state_file" >/dev/null
  echo "setup: the 32-bit Wine could not be installed, so the 32-bit Windows tests will not run here" >&2
  echo "  (the host and 64-bit trees have all they need):" >&2
  head -5 "$work/reasons" | sed 's/^/  /' >&2
  echo "  ($(wc -l <"$work/reasons") lines of apt's reasons in all, kept in $state_file)" >&2
fi
