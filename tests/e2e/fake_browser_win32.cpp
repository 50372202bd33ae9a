// Stands in for the web browser in the tests of the settings dialog's web
// address: each start appends one line, the address it was given, to the
// log named by its first argument, and it ends. A program without a window
// or console, so that no window of its own comes up under the pointer.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments || count < 2) return 2;
  const std::wstring address = count > 2 ? arguments[2] : L"";
  // Starts that come at once take turns at the file.
  HANDLE log = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100 && log == INVALID_HANDLE_VALUE; ++attempt) {
    log = CreateFileW(arguments[1], FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) Sleep(20);
  }
  LocalFree(arguments);
  if (log == INVALID_HANDLE_VALUE) return 1;
  std::string line(address.begin(), address.end());
  line += "\n";
  DWORD written = 0;
  WriteFile(log, line.data(), DWORD(line.size()), &written, nullptr);
  CloseHandle(log);
  return 0;
}
