#pragma once
// Files and folders of the Windows tests: a temporary folder of the test's
// own that goes with everything in it, and a file's bytes. The paths are
// ANSI, in the system's code page, as the program's own are.
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

namespace velkaro::testing {

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

// The path of a file beside the test program, such as a helper program
// built with it.
inline std::string BesideThisProgram(std::string_view name) {
  char own[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, own, MAX_PATH);
  std::string path(own);
  path.resize(path.find_last_of('\\') + 1);
  return path + std::string(name);
}

// Removes a folder and everything in it, read-only files too.
inline void RemoveFolderTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveFolderTree(path);
      else
        DeleteFileA(path.c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

// %TEMP%\velkaro-<name>-<process id>-<number>, made new for the test and
// removed with what it holds when the test is done.
class ScopedTempFolder {
 public:
  explicit ScopedTempFolder(std::string_view name) {
    static int count = 0;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string prefix = std::string(temp) + "velkaro-" + std::string(name) + "-" +
                               std::to_string(GetCurrentProcessId()) + "-";
    // A folder that an earlier run left can have the same name (Wine hands
    // out process numbers anew with each wineserver): the next number is
    // taken, as the test would otherwise find that run's files in it.
    do {
      path_ = prefix + std::to_string(++count);
      made_ = CreateDirectoryA(path_.c_str(), nullptr) != FALSE;
    } while (!made_ && GetLastError() == ERROR_ALREADY_EXISTS);
  }
  ~ScopedTempFolder() {
    if (made_) RemoveFolderTree(path_);
  }
  ScopedTempFolder(const ScopedTempFolder&) = delete;
  ScopedTempFolder& operator=(const ScopedTempFolder&) = delete;

  // False when the folder could not be made.
  bool made() const { return made_; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  bool made_ = false;
};

}  // namespace velkaro::testing
