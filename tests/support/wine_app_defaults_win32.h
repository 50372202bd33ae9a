#pragma once
// Wine's settings for every program named Velkaro.scr, in the registry key
// of that application (HKCU\Software\Wine\AppDefaults\Velkaro.scr) and its
// subkeys: the Windows version it is told it runs on, the DLLs it may load;
// and the probe run under the saver's name that shows what they give it.
// Windows has no such settings and ignores the key.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "common/registry_key_win32.h"
#include "support/saver_process_win32.h"
#include "support/test_files_win32.h"

namespace velkaro::testing {

// One text value among those settings, there for as long as its owner
// lives. Only that value goes at the end, and each key on its way up once
// nothing else is left in it, so that several settings can live side by
// side and be taken back in any order.
class SaverAppDefault {
 public:
  // `subkey` is empty for a value of the application's key itself.
  SaverAppDefault(std::string_view subkey, const char* name, const char* value)
      : key_path_(PathOf(subkey)), name_(name) {
    HKEY made = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key_path_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &made, nullptr) != ERROR_SUCCESS)
      return;
    const RegistryKey key(made);
    RegSetValueExA(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                   DWORD(lstrlenA(value) + 1));
  }
  ~SaverAppDefault() {
    if (const RegistryKey key = Open(key_path_, KEY_SET_VALUE))
      RegDeleteValueA(key.get(), name_.c_str());
    DeleteIfEmpty(key_path_);
    if (key_path_ != kApplication) DeleteIfEmpty(kApplication);
  }
  SaverAppDefault(const SaverAppDefault&) = delete;
  SaverAppDefault& operator=(const SaverAppDefault&) = delete;

 private:
  static constexpr char kApplication[] = "Software\\Wine\\AppDefaults\\Velkaro.scr";

  static std::string PathOf(std::string_view subkey) {
    std::string path = kApplication;
    if (!subkey.empty()) path.append("\\").append(subkey);
    return path;
  }
  static RegistryKey Open(const std::string& path, REGSAM access) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, access, &opened) != ERROR_SUCCESS)
      return nullptr;
    return RegistryKey(opened);
  }
  static void DeleteIfEmpty(const std::string& path) {
    DWORD subkeys = 1, values = 1;
    if (const RegistryKey key = Open(path, KEY_QUERY_VALUE))
      RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                       nullptr, nullptr, nullptr, nullptr);
    if (subkeys == 0 && values == 0) RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
  }

  std::string key_path_;
  std::string name_;
};

// Runs `probe_name`, a probe built beside this test program, under the
// saver's file name with "/s", so that it gets what those settings give the
// saver, and returns its exit code, by which it tells what it found; nothing
// when it could not be copied or did not end within timeout_ms.
inline std::optional<DWORD> ProbeAsTheSaver(const char* probe_name, DWORD timeout_ms) {
  const std::string probe = BesideThisProgram(probe_name);
  SaverFolder folder;
  if (!CopyFileA(probe.c_str(), folder.executable().c_str(), FALSE)) return std::nullopt;
  SaverProcess process(folder, "/s");
  if (!process.WaitForExit(timeout_ms)) return std::nullopt;
  return process.exit_code();
}

}  // namespace velkaro::testing
