#!/usr/bin/env bash
# Starts or stops the private test environment of one build tree: a virtual X
# display, a PulseAudio server whose only sound card is a null sink, and a
# persistent wineserver for the build tree's own Wine prefix.
#
#   test-env.sh start BUILD_DIR   writes BUILD_DIR/test-env/env for wine-run.sh
#   test-env.sh stop BUILD_DIR
#
# The display is one monitor, Xvfb of VELKARO_SCREEN (1024x768x24 unless
# set). VELKARO_MONITORS=2 makes it two monitors side by side instead: a
# 1024x768 primary at 0,0 and an 800x600 monitor at 1024,0, a virtual screen
# of 1824x768 at 24 bits (VELKARO_SCREEN does not apply to it).
set -euo pipefail

action=${1:?start or stop}
build=$(cd "${2:?build directory}" && pwd)
state=$build/test-env
envfile=$state/env
monitors=${VELKARO_MONITORS:-1}

# A server that has exited but was not reaped yet (its parent, the shell
# that started it, is long gone) still answers kill -0; it counts as gone.
alive() {
  [ -f "$1" ] || return 1
  local pid
  pid=$(cat "$1")
  kill -0 "$pid" 2>/dev/null && ! grep -q '^[0-9]* (.*) Z' "/proc/$pid/stat" 2>/dev/null
}

# Ends the process of a pid file and waits until it is gone, so that a
# display number or socket is free again when stop returns.
end_process() {
  alive "$1" || { rm -f "$1"; return 0; }
  local pid
  pid=$(cat "$1")
  kill "$pid" 2>/dev/null || true
  for _ in $(seq 50); do
    alive "$1" || break
    sleep 0.1
  done
  alive "$1" && kill -KILL "$pid" 2>/dev/null || true
  rm -f "$1"
}

# The Wine of the build tree's word size: a win64 prefix run by the 64-bit
# loader for the x86_64 tree, a win32 prefix run by the 32-bit loader for the
# i686 one. VELKARO_WINE_ARCH chooses; without it the toolchain recorded in
# the cache of the build tree that holds the environment's folder decides,
# and 64-bit is the default. Debian's /usr/bin/wine picks the 32-bit loader
# whenever that file exists, even on a kernel that cannot run it, so the
# loader is named here and not left to it.
wine_arch() {
  if [ -n "${VELKARO_WINE_ARCH:-}" ]; then echo "$VELKARO_WINE_ARCH"; return; fi
  local dir=$build
  while [ "$dir" != / ]; do
    if [ -f "$dir/CMakeCache.txt" ]; then
      grep -q '^CMAKE_TOOLCHAIN_FILE.*i686' "$dir/CMakeCache.txt" && { echo win32; return; }
      break
    fi
    dir=$(dirname "$dir")
  done
  echo win64
}

wine_env() {
  export WINEARCH
  WINEARCH=$(wine_arch)
  if [ "$WINEARCH" = win32 ]; then
    export WINELOADER=/usr/lib/wine/wine
    # A win32 prefix is kept apart from a win64 one of the same tree.
    export WINEPREFIX=$build/wineprefix32
  else
    export WINELOADER=/usr/lib/wine/wine64
    export WINEPREFIX=$build/wineprefix
  fi
  export WINEDEBUG=-all
  # No Mono or Gecko installer dialogs: the program needs neither.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  # `wine` on the PATH of everything that sources the environment runs that
  # loader; wineserver serves both word sizes.
  mkdir -p "$state/bin"
  printf '#!/bin/sh\nexec %s "$@"\n' "$WINELOADER" >"$state/bin/wine"
  chmod +x "$state/bin/wine"
  export PATH=$state/bin:$PATH
}

# The X server chooses a free display itself and says which (-displayfd):
# choosing one here by looking for a free lock file races with other
# environments started at the same moment, and two of them could end up
# sharing one display that the first to stop takes away from the other.
launch_xvfb() {
  Xvfb -displayfd 3 -screen 0 "${VELKARO_SCREEN:-1024x768x24}" -nolisten tcp \
    3>"$state/display.number" >"$state/xserver.log" 2>&1 &
  echo $! >"$state/xserver.pid"
}

# Two monitors. Wine 8 reads monitors from RandR 1.4 (CRTCs and outputs) and
# falls back to Xinerama only where RandR is missing. Xvfb has one RandR
# output and puts every screen at 0,0. Two X screens joined by Xinerama hide
# RandR, and Wine 8's Xinerama path aborts the desktop process while it
# registers the first monitor's modes, so Windows programs see one monitor.
# One Xorg screen on the dummy driver has sixteen RandR outputs (DUMMY0..15):
# the first is connected, and the configuration enables the second and lays
# it to the right, so the layout is in place before the server says which
# display it is. It runs as root: Xorg takes an absolute -config only then.
# The configuration folder of its own keeps the system's snippets out.
launch_xorg() {
  mkdir -p "$state/xorg.conf.d"
  cat >"$state/xorg.conf" <<'CONF'
Section "ServerFlags"
  # No devices of this machine: input comes through XTEST only.
  Option "AutoAddDevices" "false"
  Option "AutoAddGPU" "false"
  Option "DontVTSwitch" "true"
EndSection
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 16384
  Option "Monitor-DUMMY0" "primary"
  Option "Monitor-DUMMY1" "right"
EndSection
Section "Monitor"
  Identifier "primary"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
  Modeline "1024x768" 65.00 1024 1048 1184 1344 768 771 777 806 -hsync -vsync
  Option "PreferredMode" "1024x768"
EndSection
Section "Monitor"
  Identifier "right"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
  Modeline "800x600" 40.00 800 840 968 1056 600 601 605 628 +hsync +vsync
  Option "PreferredMode" "800x600"
  # The driver reports every output but the first as disconnected.
  Option "Enable" "true"
  Option "RightOf" "DUMMY0"
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "primary"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 1824 768
  EndSubSection
EndSection
CONF
  # -sharevts leaves the machine's console as it is.
  Xorg -displayfd 3 -config "$state/xorg.conf" -configdir "$state/xorg.conf.d" \
    -logfile "$state/xorg.log" -nolisten tcp -noreset -novtswitch -sharevts \
    3>"$state/display.number" >"$state/xserver.log" 2>&1 &
  echo $! >"$state/xserver.pid"
}

# The monitors as Xinerama reports them, which is what the layout promised.
check_two_monitors() {
  local heads
  heads=$(xdpyinfo -display "$1" -ext XINERAMA 2>/dev/null | grep -o 'head #.*' | tr '\n' ' ')
  [ "$heads" = "head #0: 1024x768 @ 0,0 head #1: 800x600 @ 1024,0 " ] && return 0
  echo "test-env: the two monitors are not laid out as expected: $heads" >&2
  return 1
}

start_display() {
  rm -f "$state/display.number" "$state/display"
  if [ "$monitors" = 2 ]; then launch_xorg; else launch_xvfb; fi
  echo "$monitors" >"$state/monitors"
  for _ in $(seq 100); do
    if [ -s "$state/display.number" ]; then
      echo ":$(tr -d '\n' <"$state/display.number")" >"$state/display"
      [ "$monitors" = 2 ] && ! check_two_monitors "$(cat "$state/display")" && break
      return 0
    fi
    alive "$state/xserver.pid" || break
    sleep 0.1
  done
  end_process "$state/xserver.pid"
  rm -f "$state/display"
  echo "test-env: the virtual display did not start (see $state/xserver.log)" >&2
  return 1
}

stop_wineserver() {
  if [ -d "$build/wineprefix" ] || [ -d "$build/wineprefix32" ]; then
    wine_env
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
  fi
}

start_pulse() {
  mkdir -p "$state/pulse"
  PULSE_RUNTIME_PATH=$state/pulse HOME=$state \
    pulseaudio --daemonize=no --exit-idle-time=-1 --disable-shm=yes -n \
      --load="module-null-sink sink_name=velkaro_null" \
      --load="module-native-protocol-unix auth-anonymous=1 socket=$state/pulse/native" \
      >"$state/pulse.log" 2>&1 &
  echo $! >"$state/pulse.pid"
  for _ in $(seq 50); do
    [ -S "$state/pulse/native" ] && return 0
    sleep 0.1
  done
  echo "test-env: PulseAudio did not start (see $state/pulse.log)" >&2
  return 1
}

# VELKARO_WINDOW_METRICS=current gives the prefix the caption and frame sizes
# of Windows 10 and 11 (a 22-pixel caption, a 4-pixel padded border) in
# place of Wine's own, which are those of Windows 95 to 2000; =classic puts
# Wine's back. Unset, the prefix stays as it is. Wine reads these values, in
# twips as Windows keeps them (negative, 15 to a pixel at 96 dpi), when a
# program starts. Either way Wine then draws the frames and captions itself,
# as Windows does, and leaves none to a window manager (the test display
# has none, so they would stay undrawn).
set_window_metrics() {
  local values
  case ${VELKARO_WINDOW_METRICS:-} in
  '') return 0 ;;
  current) values='"BorderWidth"="-15" "CaptionHeight"="-330" "CaptionWidth"="-330"
    "PaddedBorderWidth"="-60" "SmCaptionHeight"="-330" "SmCaptionWidth"="-330"
    "MenuHeight"="-285" "MenuWidth"="-285" "ScrollHeight"="-255" "ScrollWidth"="-255"' ;;
  classic) values='"BorderWidth"="-15" "CaptionHeight"="-270" "CaptionWidth"="-270"
    "PaddedBorderWidth"="0" "SmCaptionHeight"="-225" "SmCaptionWidth"="-225"
    "MenuHeight"="-270" "MenuWidth"="-270" "ScrollHeight"="-240" "ScrollWidth"="-240"' ;;
  *) echo "test-env: VELKARO_WINDOW_METRICS is current or classic" >&2; return 2 ;;
  esac
  {
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics]\r\n'
    printf '%s\r\n' $values
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Decorated"="N"\r\n'
  } >"$state/window-metrics.reg"
  # Drive Z: is the root of the file system.
  wine reg import "Z:${state//\//\\}\\window-metrics.reg" >"$state/window-metrics.log" 2>&1 \
    </dev/null || {
    echo "test-env: the window metrics were not set (see $state/window-metrics.log)" >&2
    return 1
  }
}

case $action in
start)
  case $monitors in
  1 | 2) ;;
  *) echo "test-env: VELKARO_MONITORS is 1 or 2, not $monitors" >&2; exit 2 ;;
  esac
  if [ "$monitors" = 2 ] && [ "$(id -u)" -ne 0 ]; then
    echo "test-env: the display of two monitors (Xorg) needs root" >&2
    exit 2
  fi
  mkdir -p "$state"
  # Another number of monitors than the running display has: that display
  # goes, and so does the wineserver, whose desktop process registered the
  # monitors of the display it started on. The next Windows program starts
  # a desktop process on the new display, which registers its monitors, so
  # one prefix serves both kinds one after another.
  if alive "$state/xserver.pid" && [ "$(cat "$state/monitors" 2>/dev/null)" != "$monitors" ]; then
    stop_wineserver
    end_process "$state/xserver.pid"
    rm -f "$envfile"
  fi
  if alive "$state/xserver.pid" && alive "$state/pulse.pid" && [ -f "$envfile" ]; then
    exit 0
  fi
  alive "$state/xserver.pid" || start_display
  alive "$state/pulse.pid" || start_pulse
  wine_env
  export DISPLAY=$(cat "$state/display") PULSE_SERVER=unix:$state/pulse/native
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wine wineboot -i >"$state/wineboot.log" 2>&1 </dev/null || true
    wineserver -w  # the server wineboot started, so that ours can persist
  fi
  # Kept running for the whole test run, which saves a server start per
  # test; a server that already runs for this prefix serves as well.
  wineserver -p >/dev/null 2>&1 </dev/null || true
  # DirectDraw through Wine's GDI renderer. Where Wine finds OpenGL (the
  # 64-bit Mesa is there whenever X is), it presents through GL straight to
  # X, and then nothing that the program or a test reads back through GDI
  # (a window's or the screen's pixels) sees the frame; on Windows, GDI reads
  # what DirectDraw wrote to the primary surface. The GDI renderer keeps that.
  wine reg add 'HKCU\Software\Wine\Direct3D' /v renderer /d gdi /f >/dev/null 2>&1 </dev/null || true
  set_window_metrics
  cat >"$envfile" <<ENV
export DISPLAY=$DISPLAY
export PULSE_SERVER=$PULSE_SERVER
export WINEPREFIX=$WINEPREFIX
export WINEARCH=$WINEARCH
export WINELOADER=$WINELOADER
export PATH=$state/bin:\$PATH
export WINEDEBUG=$WINEDEBUG
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES"
ENV
  ;;
stop)
  stop_wineserver
  end_process "$state/xserver.pid"
  end_process "$state/pulse.pid"
  rm -f "$envfile" "$state/display" "$state/monitors"
  ;;
*)
  echo "usage: test-env.sh start|stop BUILD_DIR" >&2
  exit 2
  ;;
esac
