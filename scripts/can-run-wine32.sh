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
  # One line for a log: the indexes that failed (the cause, where there is
  # one) and apt's first reason for the install, of the dozens it may give.
  reasons=$(tail -n +2 "$state_file")
  shown=$({ grep '^apt-get update: ' <<<"$reasons"; grep -v '^apt-get update: ' <<<"$reasons" | head -1; })
  more=$(($(wc -l <<<"$reasons") - $(wc -l <<<"$shown")))
  [ "$more" -eq 0 ] || shown+=$'\n'"and $more more of apt's lines in $state_file"
  echo "the 32-bit Wine could not be installed ($(head -1 "$state_file")): $(awk 'NR > 1 { printf "; " } { printf "%s", $0 }' <<<"$shown")"
else
  echo "the 32-bit Wine (wine32:i386) is not installed; scripts/setup.sh installs it"
fi
exit 1
