#!/usr/bin/env bash
# Says whether this machine runs 32-bit x86 programs, by running the smallest
# one: a static ELF that only exits. Some kernels are built without 32-bit
# support and refuse every such program ("Exec format error"), and then no
# 32-bit Wine can start either; a package list cannot tell that.
#   can-run-32bit.sh   exit 0: it ran; otherwise prints why not and exits 1
set -uo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/exit.s" <<'ASM'
.globl _start
_start:
  movl $1, %eax
  xorl %ebx, %ebx
  int $0x80
ASM
if ! as --32 -o "$work/exit.o" "$work/exit.s" 2>"$work/err" ||
   ! ld -m elf_i386 -o "$work/exit" "$work/exit.o" 2>>"$work/err"; then
  echo "no 32-bit x86 program could be made here: $(head -1 "$work/err")"
  exit 1
fi
if ! "$work/exit" 2>"$work/err"; then
  echo "the kernel does not run 32-bit x86 programs: $(head -1 "$work/err" | sed 's/^.*: //')"
  exit 1
fi
exit 0
