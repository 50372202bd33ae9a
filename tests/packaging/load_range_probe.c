/* A program with no C runtime whose imports the load-range check's test
   chooses: only calls as old as Windows 95 and NT 4.0, or one of these on
   purpose (-DNEWER_CALL: a Windows Vista call; -DUNRECORDED_CALL: a call no
   export list records, by name and by ordinal). */
#include <windows.h>

#ifdef UNRECORDED_CALL
/* Bound by ordinal through an import library made from a .def file. */
DWORD WINAPI ProbeByOrdinal(void);
#endif

void probe_main(void) {
  DWORD code = GetTickCount();
#ifdef NEWER_CALL
  code += (DWORD)GetTickCount64();
#endif
#ifdef UNRECORDED_CALL
  code += Beep(440, 1) + ProbeByOrdinal();
#endif
  ExitProcess(code);
}
