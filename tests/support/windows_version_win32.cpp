#include "support/windows_version_win32.h"

#include "support/saver_process_win32.h"

namespace velkaro::testing {
namespace {

constexpr const char* kAppDefaultsKey = "Software\\Wine\\AppDefaults\\Velkaro.scr";
constexpr DWORD kProbeEndsMs = 8000;

}  // namespace

void PrintTo(const ReportedVersion& version, std::ostream* out) {
  *out << "platform " << version.platform << ", version " << version.major << "."
       << version.minor;
}

void PrintTo(const WindowsVersion& version, std::ostream* out) { *out << version.wine_name; }

PretendWindowsVersion::PretendWindowsVersion(const char* wine_name) {
  RegCreateKeyExA(HKEY_CURRENT_USER, kAppDefaultsKey, 0, nullptr, 0,
                  KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr, &key_, nullptr);
  RegSetValueExA(key_, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(wine_name),
                 DWORD(lstrlenA(wine_name) + 1));
}

// Only its own value goes, and the key with it once nothing else is in it:
// the saver's other application settings (its DLL overrides) can live beside.
PretendWindowsVersion::~PretendWindowsVersion() {
  RegDeleteValueA(key_, "Version");
  DWORD subkeys = 1, values = 1;
  RegQueryInfoKeyA(key_, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                   nullptr, nullptr, nullptr);
  RegCloseKey(key_);
  if (subkeys == 0 && values == 0) RegDeleteKeyA(HKEY_CURRENT_USER, kAppDefaultsKey);
}

ReportedVersion VersionToldToTheSaver() {
  const std::string probe = BesideThisProgram("velkaro_version_probe.exe");
  SaverFolder folder;
  if (!CopyFileA(probe.c_str(), folder.executable().c_str(), FALSE)) return {};
  SaverProcess process(folder, "/s");
  if (!process.WaitForExit(kProbeEndsMs)) return {};
  // The probe's exit code is PMMmm in decimal digits.
  const DWORD code = process.exit_code();
  return {code / 10000, code / 100 % 100, code % 100};
}

std::wstring TextAsShown(const WindowsVersion& version, const std::wstring& wide,
                            const std::string& cp932_bytes) {
  if (version.nt_family()) return wide;
  std::wstring shown(cp932_bytes.size(), L'\0');
  const int length = MultiByteToWideChar(CP_ACP, 0, cp932_bytes.data(), int(cp932_bytes.size()),
                                         shown.data(), int(shown.size()));
  shown.resize(length > 0 ? length : 0);
  return shown;
}

}  // namespace velkaro::testing
