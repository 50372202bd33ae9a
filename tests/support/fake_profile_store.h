#pragma once
// An in-memory initialisation file that answers as the private-profile
// functions do: names match without regard to case, a value is cut to the
// buffer, a missing key gives the default. Every call is recorded. With
// stages_saves a save writes into a copy beside the file (path + "~") that
// its commit puts in place of the file, as the Windows store does.
#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "settings/profile_store.h"

namespace velkaro::testing {

struct ProfileWrite {
  std::string section, key, value, path;
  bool operator==(const ProfileWrite&) const = default;
};

class FakeProfileStore : public ProfileStore {
 public:
  std::uint32_t GetString(const char* section, const char* key, const char* default_value,
                          char* buffer, std::uint32_t size, const char* path) override {
    reads.push_back({section, key, "", path});
    requested_sizes.push_back(size);
    const auto it = values.find(Fold(section) + "\n" + Fold(key));
    const std::string value = it == values.end() ? default_value : it->second;
    const std::size_t n = std::min<std::size_t>(value.size(), size - 1);
    std::memcpy(buffer, value.data(), n);
    buffer[n] = '\0';
    return static_cast<std::uint32_t>(n);
  }
  bool WriteString(const char* section, const char* key, const char* value,
                   const char* path) override {
    writes.push_back({section, key, value, path});
    events.push_back(std::string("write ") + path);
    if (writes.size() == failing_write) return false;
    const bool to_copy = copy_ && std::string(path).ends_with("~");
    if (read_only && !to_copy) return false;
    (to_copy ? *copy_ : values)[Fold(section) + "\n" + Fold(key)] = value;
    return true;
  }

  std::string BeginSave(const std::string& path) override {
    if (!stages_saves) return path;
    events.push_back("begin");
    copy_ = values;
    return path + "~";
  }
  bool CommitSave(const std::string& staging_path, const std::string& path) override {
    if (!stages_saves) return staging_path == path;
    events.push_back("commit");
    const bool replaced = !read_only && copy_;
    if (replaced) values = *copy_;
    copy_.reset();
    return replaced;
  }
  void AbandonSave(const std::string&, const std::string&) override {
    events.push_back("abandon");
    copy_.reset();
  }
  bool HasStagingCopy() const { return copy_.has_value(); }

  void Set(const std::string& section, const std::string& key, const std::string& value) {
    values[Fold(section) + "\n" + Fold(key)] = value;
  }

  std::vector<ProfileWrite> reads, writes;
  std::vector<std::uint32_t> requested_sizes;
  // "begin", "write PATH", "commit", "abandon", in order.
  std::vector<std::string> events;
  // The file cannot be written or replaced (a copy beside it can).
  bool read_only = false;
  bool stages_saves = false;
  std::size_t failing_write = 0;  // 1-based among `writes`; 0: none fails

 private:
  // ASCII letters only: the system folds no other bytes of an ANSI name.
  static std::string Fold(std::string text) {
    for (char& c : text)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
  }
  std::map<std::string, std::string> values;
  std::optional<std::map<std::string, std::string>> copy_;
};

class FakeFileProbe : public FileProbe {
 public:
  static FakeFileProbe EveryFileReadable() {
    FakeFileProbe probe;
    probe.every_file_readable = true;
    return probe;
  }
  bool CanOpenForReading(const std::string& path) override {
    probed.push_back(path);
    return every_file_readable || readable.count(path) > 0;
  }
  bool CanWriteFile(const std::string& path) override {
    write_probed.push_back(path);
    return unwritable.count(path) == 0;
  }
  bool MakeFolder(const std::string& path) override {
    made_folders.push_back(path);
    return folders_can_be_made;
  }
  LeadByteTest PathLeadBytes() const override { return path_lead_bytes; }
  std::set<std::string> readable;
  LeadByteTest path_lead_bytes = IsNeverLeadByte;  // as under code page 1252
  bool every_file_readable = false;
  std::vector<std::string> probed;
  // Every file is writable but these.
  std::set<std::string> unwritable;
  std::vector<std::string> write_probed;
  bool folders_can_be_made = true;
  std::vector<std::string> made_folders;
};

}  // namespace velkaro::testing
