// Exits with what a program finds of DirectDraw 7, the way Velkaro.scr
// looks for it: 1 when ddraw.dll loads and has DirectDrawCreateEx, 2 when
// ddraw.dll does not load, 3 when it lacks the function. Copied under the
// saver's file name, it shows whether Wine gives Velkaro.scr DirectDraw.
#include <windows.h>

int main() {
  HMODULE library = LoadLibraryA("ddraw.dll");
  if (!library) return 2;
  const bool found = GetProcAddress(library, "DirectDrawCreateEx") != nullptr;
  FreeLibrary(library);
  return found ? 1 : 3;
}
