#pragma once
// What the settings code needs from the system: the private-profile functions
// and a test whether a file can be opened for reading. Every text is in the
// ANSI code page, as the "A" entry points take it.
#include <cstdint>
#include <string>

#include "common/multibyte_text.h"

namespace velkaro {

class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  // As GetPrivateProfileStringA: copies at most size - 1 bytes of the value
  // (or of default_value when the key or file is missing) into buffer,
  // NUL-terminated, and returns the number of bytes copied.
  virtual std::uint32_t GetString(const char* section, const char* key, const char* default_value,
                                  char* buffer, std::uint32_t size, const char* path) = 0;
  // As WritePrivateProfileStringA; false when the system refused the write.
  virtual bool WriteString(const char* section, const char* key, const char* value,
                           const char* path) = 0;

  // A save of several keys either replaces the whole file or leaves it as it
  // was, whenever the process dies. BeginSave returns the path the save's
  // writes go to: a copy of the file beside it, or path itself where the
  // store writes in place. CommitSave puts that copy in place of the file in
  // one step (false when it could not, and the file is then untouched);
  // AbandonSave drops it.
  virtual std::string BeginSave(const std::string& path) { return path; }
  virtual bool CommitSave(const std::string& staging_path, const std::string& path) {
    return staging_path == path;
  }
  virtual void AbandonSave(const std::string& /*staging_path*/, const std::string& /*path*/) {}
};

class FileProbe {
 public:
  virtual ~FileProbe() = default;
  // True when the file at path opens for reading (and was closed again).
  virtual bool CanOpenForReading(const std::string& path) = 0;
  // True when this user may change the file at path: it is not read-only
  // and opens for writing, or, where it does not exist yet, a new file can
  // be made in its folder. Nothing of the file changes.
  virtual bool CanWriteFile(const std::string& path) = 0;
  // Makes the folder at path where it does not exist yet (its parent must).
  // True when the folder is there afterwards.
  virtual bool MakeFolder(const std::string& path) = 0;
  // The lead bytes of the code page that paths are in: the system's ANSI
  // code page.
  virtual LeadByteTest PathLeadBytes() const = 0;
};

}  // namespace velkaro
