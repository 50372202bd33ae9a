#pragma once
// The settings seams over the real private-profile functions and files.
#include "common/system_win32.h"
#include "settings/profile_store.h"

namespace velkaro {

class Win32ProfileStore final : public ProfileStore {
 public:
  // How a finished copy replaces the file: MoveFileExA with
  // MOVEFILE_REPLACE_EXISTING. The 95/98 family exports that function but
  // does not implement it (ERROR_CALL_NOT_IMPLEMENTED).
  using ReplaceFileFunction = bool (*)(const char* from, const char* to);
  static bool ReplaceByMove(const char* from, const char* to);

  // Where the replace is not available at all (off the NT family), saves
  // write into the file itself; where the replace fails as not implemented,
  // the finished copy is copied over the file. Tests choose both.
  explicit Win32ProfileStore(bool replace_available = IsWinNT(),
                             ReplaceFileFunction replace = &ReplaceByMove)
      : replace_available_(replace_available), replace_(replace) {}

  std::uint32_t GetString(const char* section, const char* key, const char* default_value,
                          char* buffer, std::uint32_t size, const char* path) override;
  bool WriteString(const char* section, const char* key, const char* value,
                   const char* path) override;
  // The copy is path + ".tmp" in the same folder, so that the final move is
  // a rename within one volume.
  std::string BeginSave(const std::string& path) override;
  bool CommitSave(const std::string& staging_path, const std::string& path) override;
  void AbandonSave(const std::string& staging_path, const std::string& path) override;

 private:
  bool replace_available_;
  ReplaceFileFunction replace_;
};

class Win32FileProbe final : public FileProbe {
 public:
  bool CanOpenForReading(const std::string& path) override;
  bool CanWriteFile(const std::string& path) override;
  bool MakeFolder(const std::string& path) override;
  LeadByteTest PathLeadBytes() const override;
};

}  // namespace velkaro
