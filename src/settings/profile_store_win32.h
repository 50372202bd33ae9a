#pragma once
// The settings seams over the real private-profile functions and files.
#include "settings/profile_store.h"

namespace velkaro {

class Win32ProfileStore final : public ProfileStore {
 public:
  std::uint32_t GetString(const char* section, const char* key, const char* default_value,
                          char* buffer, std::uint32_t size, const char* path) override;
  bool WriteString(const char* section, const char* key, const char* value,
                   const char* path) override;
  // The copy is path + ".tmp" in the same folder, so that the final move is
  // a rename within one volume.
  std::string BeginSave(const std::string& path) override;
  bool CommitSave(const std::string& staging_path, const std::string& path) override;
  void AbandonSave(const std::string& staging_path, const std::string& path) override;
};

class Win32FileProbe final : public FileProbe {
 public:
  bool CanOpenForReading(const std::string& path) override;
};

}  // namespace velkaro
