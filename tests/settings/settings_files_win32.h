#pragma once
// Files and folders for the tests of saving settings with the system's own
// profile functions: a folder of the test process's own, and a file's bytes.
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

namespace velkaro::testing {

// %TEMP%\velkaro-<name>-<process id>, created when missing.
inline std::string NewTempFolder(const std::string& name) {
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  std::string folder =
      std::string(base) + "velkaro-" + name + "-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

inline std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

inline void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline bool FileIsThere(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace velkaro::testing
