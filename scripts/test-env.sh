#!/usr/bin/env bash
# Starts or stops the private test environment of one build tree: a virtual X
# display (Xvfb), a PulseAudio server whose only sound card is a null sink, and
# a persistent wineserver for the build tree's own Wine prefix.
#
#   test-env.sh start BUILD_DIR   writes BUILD_DIR/test-env/env for wine-run.sh
#   test-env.sh stop BUILD_DIR
set -euo pipefail

action=${1:?start or stop}
build=$(cd "${2:?build directory}" && pwd)
state=$build/test-env
envfile=$state/env

alive() { [ -f "$1" ] && kill -0 "$(cat "$1")" 2>/dev/null; }

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

# Xvfb chooses a free display itself and says which (-displayfd): choosing
# one here by looking for a free lock file races with other environments
# started at the same moment, and two of them could end up sharing one
# display that the first to stop takes away from the other.
start_xvfb() {
  rm -f "$state/display.number"
  Xvfb -displayfd 3 -screen 0 "${VELKARO_SCREEN:-1024x768x24}" -nolisten tcp \
    3>"$state/display.number" >"$state/xvfb.log" 2>&1 &
  echo $! >"$state/xvfb.pid"
  for _ in $(seq 100); do
    if [ -s "$state/display.number" ]; then
      echo ":$(tr -d '\n' <"$state/display.number")" >"$state/display"
      return 0
    fi
    kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null || break
    sleep 0.1
  done
  kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
  echo "test-env: the virtual display did not start (see $state/xvfb.log)" >&2
  return 1
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

case $action in
start)
  mkdir -p "$state"
  if alive "$state/xvfb.pid" && alive "$state/pulse.pid" && [ -f "$envfile" ]; then
    exit 0
  fi
  start_xvfb
  start_pulse
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
  if [ -d "$build/wineprefix" ] || [ -d "$build/wineprefix32" ]; then
    wine_env
    wineserver -k 2>/dev/null || true
  fi
  for p in xvfb pulse; do
    alive "$state/$p.pid" && kill "$(cat "$state/$p.pid")" 2>/dev/null || true
    rm -f "$state/$p.pid"
  done
  rm -f "$envfile" "$state/display"
  ;;
*)
  echo "usage: test-env.sh start|stop BUILD_DIR" >&2
  exit 2
  ;;
esac
