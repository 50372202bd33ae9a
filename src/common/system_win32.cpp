#include "common/system_win32.h"

#include <windows.h>
#include <shlobj.h>

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
  if (auto change = LibraryFunction<PwdChangePasswordA>(router, "PwdChangePasswordA"))
    change("SCRSAVE", WindowFromHandleNumber(parent), 0, 0);
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

std::string ApplicationDataDirectory() {
  // SHGetFolderPathA is in shell32 from Windows 2000 and Me on; the 95/98
  // family and NT 4 have it in shfolder.dll where Internet Explorer 5 or a
  // program brought it. It is looked up when called, so that the program
  // loads without it and, where no system library has it, the settings stay
  // beside the executable.
  using GetFolderPath = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
  for (const char* name : {"shell32.dll", "shfolder.dll"}) {
    const Library library(LoadLibraryA(name));
    const auto get_folder_path = LibraryFunction<GetFolderPath>(library, "SHGetFolderPathA");
    char path[MAX_PATH + 1] = {};
    if (get_folder_path &&
        SUCCEEDED(get_folder_path(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, path)))
      return path;
  }
  return {};
}

}  // namespace velkaro
