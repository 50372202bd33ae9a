#pragma once
// Wine's version setting for one program, by its file name
// (HKCU\Software\Wine\AppDefaults\Velkaro.scr\Version), and the check that
// it reaches Velkaro.scr. With it the saver takes the code paths of the
// Windows it is told it runs on; Windows itself has no such setting and
// ignores the key.
#include <windows.h>

#include <ostream>
#include <string>

#include "support/wine_app_defaults_win32.h"

namespace velkaro::testing {

// A version as GetVersionEx reports it.
struct ReportedVersion {
  DWORD platform = 0;  // VER_PLATFORM_WIN32_WINDOWS (95/98) or _NT
  DWORD major = 0;
  DWORD minor = 0;
  bool operator==(const ReportedVersion&) const = default;
};
void PrintTo(const ReportedVersion& version, std::ostream* out);

// A Windows that Wine can pretend to be, by Wine's name for it.
struct WindowsVersion {
  const char* wine_name;  // "win98", "win2k", "winxp"
  ReportedVersion reported;
  bool nt_family() const { return reported.platform == VER_PLATFORM_WIN32_NT; }
};
inline constexpr WindowsVersion kWindows98{"win98", {VER_PLATFORM_WIN32_WINDOWS, 4, 10}};
inline constexpr WindowsVersion kWindows2000{"win2k", {VER_PLATFORM_WIN32_NT, 5, 0}};
inline constexpr WindowsVersion kWindowsXp{"winxp", {VER_PLATFORM_WIN32_NT, 5, 1}};
void PrintTo(const WindowsVersion& version, std::ostream* out);

// Makes Wine report a version to every Velkaro.scr started while it lives.
class PretendWindowsVersion {
 public:
  explicit PretendWindowsVersion(const char* wine_name);
  explicit PretendWindowsVersion(const WindowsVersion& version)
      : PretendWindowsVersion(version.wine_name) {}

 private:
  SaverAppDefault version_;
};

// The version reported to a program with the saver's file name, by the
// probe built beside the test program (all zero when it could not run).
ReportedVersion VersionToldToTheSaver();

// A text of the saver's windows (a caption, a list's item) as a test
// process reads it: on the NT family the windows carry it as wide text; on
// the 95/98 family they are ANSI windows given its code page 932 bytes,
// which the system reads through its own ANSI code page, so a test finds
// them as those bytes read the same way.
std::wstring TextAsShown(const WindowsVersion& version, const std::wstring& wide,
                         const std::string& cp932_bytes);

}  // namespace velkaro::testing
