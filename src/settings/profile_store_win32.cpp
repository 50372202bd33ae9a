#include "settings/profile_store_win32.h"

#include <windows.h>

#include "common/kernel_handle_win32.h"
#include "common/system_win32.h"

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

// WritePrivateProfileStringA rewrites the file for every key, so a process
// killed between two keys would leave a file with some keys old and some new,
// and one killed inside a write could leave it cut short. The keys are
// therefore written into a copy, which then replaces the file by a rename:
// the file is always either the old one or the new one.
bool Win32ProfileStore::ReplaceByMove(const char* from, const char* to) {
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

std::string Win32ProfileStore::BeginSave(const std::string& path) {
  // Without a replace the keys go straight into the file, one write each.
  if (!replace_available_) return path;
  const std::string staging = path + ".tmp";
  // A copy left by a save that was killed is stale.
  SetFileAttributesA(staging.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(staging.c_str());
  // Starting from the old file keeps whatever else it holds, and the writes
  // then give exactly the bytes they would give in place. A missing file
  // starts as no file, as it would in place.
  if (CopyFileA(path.c_str(), staging.c_str(), FALSE))
    // The copy inherits a read-only attribute, which would refuse the writes.
    SetFileAttributesA(staging.c_str(), FILE_ATTRIBUTE_NORMAL);
  return staging;
}

bool Win32ProfileStore::CommitSave(const std::string& staging_path, const std::string& path) {
  // Writes may still sit in the system's profile cache; this flushes them.
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, staging_path.c_str());
  // A read-only file refuses the save and stays as it was. Windows refuses
  // to move over it anyway; Wine would, as a rename over it is allowed there.
  const DWORD attributes = GetFileAttributesA(path.c_str());
  const bool read_only =
      attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
  if (read_only) {
    AbandonSave(staging_path, path);
    return false;
  }
  if (staging_path == path || replace_(staging_path.c_str(), path.c_str())) return true;
  // A system that does not implement the replace still gets the finished
  // copy: copied over the file, which is as good as the writes in place.
  const bool copied = GetLastError() == ERROR_CALL_NOT_IMPLEMENTED &&
                      CopyFileA(staging_path.c_str(), path.c_str(), FALSE);
  AbandonSave(staging_path, path);
  return copied;
}

void Win32ProfileStore::AbandonSave(const std::string& staging_path, const std::string& path) {
  if (staging_path != path) DeleteFileA(staging_path.c_str());
}

bool Win32FileProbe::CanOpenForReading(const std::string& path) {
  // A folder does not open this way, which is what makes a folder path fail.
  return bool(
      FromCreateFile(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
}

// The system's own answer, by opening: the rights of a folder are not to be
// read on the 95/98 family, and on the NT family only opening takes every
// rule into account (the file's access list, the folder's, a read-only
// share or medium).
bool Win32FileProbe::CanWriteFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return false;
    // Opened without truncating and closed without a write: nothing changes.
    return bool(
        FromCreateFile(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
  }
  // No file yet: whether one can be made beside it, tried with a name of
  // its own that no save uses.
  const std::string probe = path + ".probe";
  if (!FromCreateFile(CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_TEMPORARY, nullptr)))
    return false;
  DeleteFileA(probe.c_str());
  return true;
}

bool Win32FileProbe::MakeFolder(const std::string& path) {
  CreateDirectoryA(path.c_str(), nullptr);
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

LeadByteTest Win32FileProbe::PathLeadBytes() const { return IsSystemAnsiLeadByte; }

}  // namespace velkaro
