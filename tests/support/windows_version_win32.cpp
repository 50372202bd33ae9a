#include "support/windows_version_win32.h"

#include <optional>

namespace velkaro::testing {
namespace {

constexpr DWORD kProbeEndsMs = 8000;

}  // namespace

void PrintTo(const ReportedVersion& version, std::ostream* out) {
  *out << "platform " << version.platform << ", version " << version.major << "." << version.minor;
}

void PrintTo(const WindowsVersion& version, std::ostream* out) { *out << version.wine_name; }

PretendWindowsVersion::PretendWindowsVersion(const char* wine_name)
    : version_("", "Version", wine_name) {}

ReportedVersion VersionToldToTheSaver() {
  const std::optional<DWORD> code = ProbeAsTheSaver("velkaro_version_probe.exe", kProbeEndsMs);
  if (!code) return {};
  // The probe's exit code is PMMmm in decimal digits.
  return {*code / 10000, *code / 100 % 100, *code % 100};
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
