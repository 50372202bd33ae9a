// Exits with the version the system tells it it runs on, as the decimal
// digits PMMmm: P the platform (1 for the 95/98 family, 2 for the NT
// family), MM the major and mm the minor version (10410 for Windows 98,
// 20500 for 2000); 0 when it cannot ask. Copied under the saver's file name,
// it shows which version Wine reports to Velkaro.scr.
#include <windows.h>

int main() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!GetVersionExA(&info)) return 0;
  return static_cast<int>(info.dwPlatformId * 10000 + info.dwMajorVersion * 100 +
                          info.dwMinorVersion);
}
