#include "startup/profile_store_win32.h"

#include <windows.h>

namespace velkaro {

// Wine differs from Windows in the spaces around a value: its
// WritePrivateProfileStringA drops a value's leading space, so the file holds
// "key=5" where Windows writes "key= 5". Both read back the same number, and
// the value passed here is the one with the space.
std::uint32_t Win32ProfileStore::GetString(const char* section, const char* key,
                                           const char* default_value, char* buffer,
                                           std::uint32_t size, const char* path) {
  return GetPrivateProfileStringA(section, key, default_value, buffer, size, path);
}

bool Win32ProfileStore::WriteString(const char* section, const char* key, const char* value,
                                    const char* path) {
  return WritePrivateProfileStringA(section, key, value, path) != FALSE;
}

bool Win32FileProbe::CanOpenForReading(const std::string& path) {
  // A folder does not open this way, which is what makes a folder path fail.
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

}  // namespace velkaro
