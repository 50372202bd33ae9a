#!/usr/bin/env bash
# Installs every Debian package the two builds and the tests need.
# Safe to run again: it only installs what is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ googletest libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  wine wine32:i386 libwine:i386
  gstreamer1.0-plugins-good:i386 gstreamer1.0-plugins-base:i386
  xvfb xauth x11-utils xdotool
  libx11-dev libxext-dev libx11-xcb-dev libxcb-shm0-dev xscreensaver xscreensaver-data
  pulseaudio pulseaudio-utils sox lame
  imagemagick fonts-ipafont-gothic fonts-ipafont-mincho
  valgrind python3 libpng-dev file
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
