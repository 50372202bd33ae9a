#!/usr/bin/env bash
# Says whether the 32-bit Windows programs (the 32-bit tree's tests, its
# Velkaro.scr, the shipped x86 setup program) can run here: the kernel runs
# 32-bit x86 programs (scripts/can-run-32bit.sh) and the 32-bit Wine is
# installed. scripts/setup.sh installs that Wine where it can; where apt
# could not, this says apt's reason, which setup kept.
#   can-run-wine32.sh   exit 0: they can; otherwise prints why not and exits 1
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine32-state.sh"

if ! why=$("$here/can-run-32bit.sh"); then
  echo "$why"
  exit 1
fi
if [ -x "${VELKARO_ROOT:-}/usr/lib/wine/wine" ] &&
   dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'; then
  exit 0
fi
if [ -s "$state_file" ]; then
  # One line, so that a log shows the whole reason where the result is.
  reasons=$(tail -n +2 "$state_file" | paste -sd';' | sed 's/;/; /g')
  echo "the 32-bit Wine could not be installed ($(head -1 "$state_file")): $reasons"
else
  echo "the 32-bit Wine (wine32:i386) is not installed; scripts/setup.sh installs it"
fi
exit 1
