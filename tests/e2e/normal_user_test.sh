#!/usr/bin/env bash
# Runs the settings tests of a user who cannot write beside the program: two
# users who are not root, each with a test environment and Wine prefix of
# their own, and a copy of Velkaro.scr in a folder that only root can write,
# with a Velkaro.ini beside it. Then checks that each user kept their own
# settings. It needs root to make the users and the folder.
#   normal_user_test.sh BUILD_DIR E2E_TESTS_EXE SAVER TONE_MP3
set -euo pipefail
here=$(cd "$(dirname "$0")/../../scripts" && pwd)
build=$1 driver=$2 saver=$3 tone=$4
if [ "$(id -u)" -ne 0 ]; then
  echo "normal_user_test: needs root, to make the test users and a folder they cannot write" >&2
  exit 1
fi
# The word size of the tree decides the Wine, as test-env.sh decides it for
# a build tree; the users' environments live outside it.
arch=win64
grep -q '^CMAKE_TOOLCHAIN_FILE.*i686' "$build/CMakeCache.txt" && arch=win32
users=(velkaro-user1 velkaro-user2)
for user in "${users[@]}"; do
  id -u "$user" >/dev/null 2>&1 ||
    useradd --system --no-create-home --shell /usr/sbin/nologin "$user"
done

# Everything the users run or read is copied into a folder of its own that
# every user can reach, wherever the build tree lies.
work=$(mktemp -d /tmp/velkaro-users.XXXXXX)
chmod 755 "$work"
cleanup() {
  for user in "${users[@]}"; do
    [ -d "$work/$user" ] &&
      runuser -u "$user" -- env HOME="$work/$user" VELKARO_WINE_ARCH=$arch \
        "$work/test-env.sh" stop "$work/$user" >/dev/null 2>&1 || true
  done
  rm -rf "$work"
}
trap cleanup EXIT
cp "$here/test-env.sh" "$driver" "$tone" "$work/"
mkdir "$work/installed"
cp "$saver" "$work/installed/Velkaro.scr"
windows_path() { echo "Z:${1//\//\\}"; }
tone_path=$(windows_path "$work/$(basename "$tone")")
# The settings an administrator left beside the program: pattern 5, the
# tone as music. Keys in code page 932.
printf '[Section]\r\n\xD7\xDD\xC0\xDE\xD1= 0\r\n\xCA\xDF\xC0\xB0\xDD= 5\r\nBGM\x8B\xE6\x95\xAA= 2\r\nBGM\xD8\xCB\xDF\xB0\xC4= 0\r\nBGM\xCC\xA7\xB2\xD9=%s\r\n' \
  "$tone_path" >"$work/installed/Velkaro.ini"
chmod -R a+rX "$work"

run_as() {
  local user=$1 filter=$2
  mkdir -p "$work/$user"
  chown "$user" "$work/$user"
  runuser -u "$user" -- env HOME="$work/$user" VELKARO_WINE_ARCH=$arch \
    "$work/test-env.sh" start "$work/$user"
  runuser -u "$user" -- env HOME="$work/$user" \
    VELKARO_INSTALLED_SAVER="$(windows_path "$work/installed/Velkaro.scr")" \
    VELKARO_TONE_MP3="$tone_path" bash -c '
      . "$1/test-env/env"
      wine "$2" "$3" --gtest_filter="$4" </dev/null' _ \
    "$work/$user" "$(windows_path "$work/$(basename "$driver")")" \
    "$(windows_path "$work/installed/Velkaro.scr")" "$filter"
}

run_as velkaro-user1 'NormalUser.*:-NormalUser.ASecondUser*'
run_as velkaro-user2 'NormalUser.ASecondUser*'

# Each user's file holds their own last choice: 14 for the first, 20 for
# the second; neither save touched the other's.
status=0
for pair in velkaro-user1:14 velkaro-user2:20; do
  user=${pair%%:*} pattern=${pair##*:}
  file=$(find "$work/$user"/wineprefix*/drive_c/users -path '*/Velkaro/Velkaro.ini' | head -1)
  if [ -z "$file" ] || ! LC_ALL=C grep -qa $'\xCA\xDF\xC0\xB0\xDD='" \\?$pattern"$'\r' "$file"; then
    echo "normal_user_test: $user's own settings do not hold pattern $pattern (${file:-no file})" >&2
    status=1
  fi
done
[ $status -eq 0 ] && echo "normal_user_test: each user kept their own settings"
exit $status
