#!/usr/bin/env bash
# Installs every Debian package the builds and the tests need. Safe to run
# again: it only installs what is missing.
#
# Both Windows trees are always built. The 64-bit one runs its tests under
# wine64; the 32-bit one's tests need a 32-bit Wine, which is installed only
# where this machine runs 32-bit programs at all (scripts/can-run-32bit.sh).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

packages=(
  cmake ninja-build g++ binutils googletest libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 libwine
  gstreamer1.0-plugins-good gstreamer1.0-plugins-base
  xvfb xauth x11-utils xdotool
  xserver-xorg-core xserver-xorg-video-dummy
  libx11-dev libxext-dev libx11-xcb-dev libxcb-shm0-dev xscreensaver xscreensaver-data
  pulseaudio pulseaudio-utils sox lame
  imagemagick fonts-ipafont-gothic fonts-ipafont-mincho
  valgrind python3 libpng-dev file
  clang libclang-rt-14-dev
  nsis zip unzip dpkg-dev lintian
)
# The 32-bit Wine and the i386 GStreamer plugins that its MCI "MPEGVideo"
# plays MP3 files through.
packages_32bit=(
  wine32:i386 libwine:i386
  gstreamer1.0-plugins-good:i386 gstreamer1.0-plugins-base:i386
)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
updated=0

install_missing() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ $updated -eq 0 ]; then
    $sudo apt-get update -q
    updated=1
  fi
  $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

install_missing "${packages[@]}"

if "$here/can-run-32bit.sh" >/dev/null; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
    updated=0
  fi
  install_missing "${packages_32bit[@]}"
fi
