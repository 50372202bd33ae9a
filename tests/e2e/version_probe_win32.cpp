// Exits with the platform the system tells it it runs on: 1 for the 95/98
// family, 2 for the NT family (0 when it cannot ask). Copied under the
// saver's file name, it shows which platform Wine reports to Velkaro.scr.
#include <windows.h>

int main() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  return GetVersionExA(&info) ? static_cast<int>(info.dwPlatformId) : 0;
}
