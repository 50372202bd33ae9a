#!/usr/bin/env bash
# The load-range check against programs whose imports are known: one that
# loads on every system the saver is for must pass, one that imports a Windows
# Vista call and one that imports calls no list records must fail, naming the
# call and the system that lacks it. Each is built as a 32-bit and a 64-bit
# program, so that both PE formats are read.
#   load_range_test.sh CHECKER CC_OF_THIS_TREE CC_OF_THE_OTHER_WORD_SIZE
set -u
here=$(cd "$(dirname "$0")" && pwd)
checker=${1:?checker} cc_this=${2:?compiler} cc_other=${3:?compiler}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# probe CC NAME [-D...]: builds $work/NAME.exe, entry probe_main, no C runtime.
probe() {
  local cc=$1 name=$2; shift 2
  local entry=probe_main stdcall= triple
  triple=$(basename "$cc" | sed 's/-gcc.*//')
  # 32-bit C names carry a leading underscore, stdcall ones their @ size too.
  [ "${triple%%-*}" = i686 ] && entry=_probe_main stdcall=@0
  printf 'LIBRARY kernel32.dll\nEXPORTS\nProbeByOrdinal%s @42 NONAME\n' "$stdcall" > "$work/$name.def"
  "$triple-dlltool" -k -d "$work/$name.def" -l "$work/lib$name.a" &&
    "$cc" -O2 -D_WIN32_WINNT=0x0600 "$@" -nostdlib -Wl,-e,$entry \
      "$here/load_range_probe.c" -L"$work" -l"$name" -lkernel32 -o "$work/$name.exe"
}

# expect STATUS NAME TEXT...: the checker's exit status and lines on NAME.exe.
expect() {
  local status=$1 name=$2 text before=$failures; shift 2
  python3 "$checker" "$work/$name.exe" > "$work/$name.out" 2>&1
  local got=$?
  [ $got -eq "$status" ] || fail "$name: exit status $got, not $status"
  for text in "$@"; do
    grep -qF -- "$text" "$work/$name.out" || fail "$name: no line \"$text\""
  done
  [ $failures -eq $before ] || cat "$work/$name.out"
}

for cc in "$cc_this" "$cc_other"; do
  case $(basename "$cc") in i686*) bits=32 ;; *) bits=64 ;; esac
  probe "$cc" old$bits || { fail "cannot build the $bits-bit probes with $cc"; continue; }
  probe "$cc" newer$bits -DNEWER_CALL || fail "cannot build newer$bits"
  probe "$cc" unrecorded$bits -DUNRECORDED_CALL || fail "cannot build unrecorded$bits"
  if [ $bits = 32 ]; then
    expect 0 old32 "PE32, 2 imports" "Windows 95/98/Me: loads on Windows 95 and later" \
      "Windows NT: loads on Windows NT 4.0 and later"
    expect 1 newer32 "missing on Windows 95: GetTickCount64 (KERNEL32.dll)" \
      "missing on Windows NT 4.0 SP6: GetTickCount64 (KERNEL32.dll), first in Windows Vista" \
      "Windows NT: loads on Windows Vista and later (stated: Windows NT 4.0 SP6) OUTSIDE"
  else
    expect 0 old64 "PE32+, 2 imports" "64-bit Windows: loads on Windows XP x64 and later"
    expect 1 newer64 "missing on Windows XP x64: GetTickCount64 (KERNEL32.dll), first in Windows Vista x64"
  fi
  expect 1 unrecorded$bits "not recorded: Beep (KERNEL32.dll)" \
    "not recorded: by ordinal 42 (kernel32.dll)"
done

echo "load_range_self_test: $failures failed"
[ $failures -eq 0 ]
