#include "common/system_win32.h"

#include <windows.h>

#include "common/library_win32.h"
#include "common/multibyte_text.h"
#include "common/window_win32.h"

namespace velkaro {

bool IsWinNT() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = 148;  // sizeof(OSVERSIONINFOA)
  static_assert(sizeof(OSVERSIONINFOA) == 148);
  // Only a call that returns exactly 1 counts.
  return GetVersionExA(&info) == 1 && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

bool IsSystemAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

void SetSaverRunning(bool running) {
  SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, running ? UINT(-1) : 0, nullptr, 0);
}

void ChangeScreenSaverPassword(std::int32_t parent) {
  using PwdChangePasswordA = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, DWORD);
  const Library router(LoadLibraryA("mpr.dll"));
  if (auto change = LibraryFunction<PwdChangePasswordA>(router, "PwdChangePasswordA")) change("SCRSAVE", WindowFromHandleNumber(parent), 0, 0);
}

std::string ExecutableDirectory() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string directory(path, length);
  // The path is in the system's ANSI code page: under 932 the second byte of
  // a character such as 表 (95 5C) is a '\' that separates nothing.
  const auto separator = FindLastCharacterOf(directory, "\\/", IsSystemAnsiLeadByte);
  directory.resize(separator == std::string::npos ? 0 : separator);
  return directory;
}

}  // namespace velkaro
