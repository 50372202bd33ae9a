#pragma once
// DirectDraw taken away from Velkaro.scr, as a system without DirectX 7
// has it, for the end-to-end tests of the GDI presentation, and the probe
// that shows it is gone.
#include <windows.h>

#include <string>

#include "support/saver_process_win32.h"

namespace velkaro::testing {

// Makes Wine refuse to load ddraw.dll into a program named Velkaro.scr for
// as long as it lives: a DLL override of that application whose empty
// value means "disabled". Windows has no such setting; the key is ignored
// there. Only its own value and subkey go at the end, so that another
// application setting of the saver (its Windows version) can live beside it.
class DirectDrawOffForTheSaver {
 public:
  DirectDrawOffForTheSaver() {
    RegCreateKeyExA(HKEY_CURRENT_USER, kOverrides, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key_,
                    nullptr);
    RegSetValueExA(key_, "ddraw", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
  }
  ~DirectDrawOffForTheSaver() {
    RegDeleteValueA(key_, "ddraw");
    RegCloseKey(key_);
    RegDeleteKeyA(HKEY_CURRENT_USER, kOverrides);  // fails while it holds others
    DeleteIfEmpty(kApplication);
  }
  DirectDrawOffForTheSaver(const DirectDrawOffForTheSaver&) = delete;
  DirectDrawOffForTheSaver& operator=(const DirectDrawOffForTheSaver&) = delete;

 private:
  static constexpr const char* kApplication = "Software\\Wine\\AppDefaults\\Velkaro.scr";
  static constexpr const char* kOverrides =
      "Software\\Wine\\AppDefaults\\Velkaro.scr\\DllOverrides";

  static void DeleteIfEmpty(const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return;
    DWORD subkeys = 1, values = 1;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                     nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    if (subkeys == 0 && values == 0) RegDeleteKeyA(HKEY_CURRENT_USER, path);
  }

  HKEY key_ = nullptr;
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
  const std::string probe = BesideThisProgram("velkaro_directdraw_probe.exe");
  SaverFolder folder;
  if (!CopyFileA(probe.c_str(), folder.executable().c_str(), FALSE))
    return DirectDrawFound::kProbeDidNotRun;
  SaverProcess process(folder, "/s");
  return process.WaitForExit(8000) ? DirectDrawFound(process.exit_code())
                                   : DirectDrawFound::kProbeDidNotRun;
}

}  // namespace velkaro::testing
