#!/usr/bin/env bash
# The hack under Debian's real XScreenSaver daemon: a daemon on a private
# virtual display, configured with only this hack, is activated and the
# screen shows pattern 14's blue; deactivated, the daemon ends the hack and
# no process of it is left, and the hack printed nothing.
#
# XScreenSaver refuses to run as root. Run as root (as the test machine's
# builds are), the test makes a system user "velkaro-xss" (no home, no
# login shell) once, and runs the daemon as that user with runuser; the
# display is reachable by it because Xvfb is started without access
# control on its local socket. Run as anyone else, the daemon runs as that
# user.
#
# The daemon's list of hacks is written by scripts/xscreensaver-add-velkaro.sh
# into a list that holds one disabled hack, as a user's list is edited.
#   xscreensaver_test.sh VELKARO ADD_SCRIPT
set -u
velkaro=${1:?path of velkaro}
add_script=${2:?path of xscreensaver-add-velkaro.sh}
work=$(mktemp -d)
chmod 755 "$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if [ "$(id -u)" -eq 0 ]; then
  user=velkaro-xss
  id "$user" >/dev/null 2>&1 ||
    useradd --system --no-create-home --shell /usr/sbin/nologin "$user" || exit 1
  as_user=(runuser -u "$user" --)
else
  user=$(id -un)
  as_user=()
fi

xvfb_pid="" daemon_pid=""
cleanup() {
  [ -n "$daemon_pid" ] && { as_user_run xscreensaver-command -exit >/dev/null 2>&1
                             kill "$daemon_pid" 2>/dev/null; wait "$daemon_pid" 2>/dev/null; }
  [ -n "$xvfb_pid" ] && { kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; }
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
display=":$(tr -d '\n' <"$work/display")"

# The daemon's user must be able to run the hack, wherever the build is.
cp "$velkaro" "$work/velkaro"
mkdir "$work/home"
cat >"$work/home/.xscreensaver" <<CONF
mode: one
selected: 0
timeout: 0:30:00
cycle: 0:00:00
lock: False
fade: False
unfade: False
splash: False
dpmsEnabled: False
programs:	\\
-	maze --root	\\n
CONF
HOME="$work/home" VELKARO_COMMAND="$work/velkaro" "$add_script" -pattern 14 --root >/dev/null ||
  fail "the script did not add velkaro"
[ ${#as_user[@]} -gt 0 ] && chown -R "$user" "$work/home"

as_user_run() {
  "${as_user[@]}" env -i HOME="$work/home" DISPLAY="$display" PATH=/usr/bin:/bin "$@"
}
hack_running() { pgrep -u "$user" -f "^$work/velkaro " >/dev/null; }
# Polls a condition up to a limit in tenths of a second.
within() {  # TENTHS COMMAND...
  local tenths=$1
  shift
  for _ in $(seq "$tenths"); do "$@" && return 0; sleep 0.1; done
  return 1
}
blue_share() {
  DISPLAY=$display import -window root "$work/screen.png" 2>/dev/null
  convert "$work/screen.png" -fuzz 3% -fill white -opaque 'rgb(0,64,255)' -fill black \
    +opaque white -format '%[fx:mean]' info:
}
screen_is_blue() { awk -v s="$(blue_share)" 'BEGIN { exit !(s >= 0.5) }'; }

as_user_run xscreensaver --no-splash --verbose >"$work/daemon.log" 2>&1 &
daemon_pid=$!
within 100 as_user_run xscreensaver-command -version >/dev/null 2>&1 ||
  { fail "the daemon did not start"; cat "$work/daemon.log"; exit 1; }

as_user_run xscreensaver-command -activate >/dev/null
within 100 hack_running || fail "activating started no velkaro"
within 100 screen_is_blue || fail "the screen shows pattern 14's blue on only $(blue_share) of it"

as_user_run xscreensaver-command -deactivate >/dev/null
within 50 eval '! hack_running' || fail "velkaro still runs after deactivating"
grep '^velkaro' "$work/daemon.log" && fail "the hack printed the lines above"
[ $failures -eq 0 ] || tail -20 "$work/daemon.log"

echo "xscreensaver: $failures failed"
[ $failures -eq 0 ]
