#pragma once
// DirectDraw taken away from Velkaro.scr, as a system without DirectX 7
// has it, for the end-to-end tests of the GDI presentation, and the probe
// that shows it is gone.
#include <windows.h>

#include <optional>

#include "support/saver_process_win32.h"
#include "support/wine_app_defaults_win32.h"

namespace velkaro::testing {

// Makes Wine refuse to load ddraw.dll into a program named Velkaro.scr for
// as long as it lives: a DLL override of that application whose empty
// value means "disabled". Windows has no such setting; the key is ignored
// there.
class DirectDrawOffForTheSaver {
 private:
  SaverAppDefault override_{"DllOverrides", "ddraw", ""};
};

// What a program with the saver's file name finds of DirectDraw 7, by the
// probe built beside this test program.
enum class DirectDrawFound : DWORD {
  kProbeDidNotRun = 0,
  kAvailable = 1,
  kNoLibrary = 2,
  kNoEntry = 3,
};

inline DirectDrawFound DirectDrawFoundByTheSaver() {
  const std::optional<DWORD> found = ProbeAsTheSaver("velkaro_directdraw_probe.exe", 8000);
  return found ? DirectDrawFound(*found) : DirectDrawFound::kProbeDidNotRun;
}

}  // namespace velkaro::testing
