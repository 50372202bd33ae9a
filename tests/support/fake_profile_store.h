#pragma once
// An in-memory initialisation file that answers as the private-profile
// functions do: names match without regard to case, a value is cut to the
// buffer, a missing key gives the default. Every call is recorded.
#include <algorithm>
#include <cstring>
#include <map>
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
    if (read_only) return false;
    values[Fold(section) + "\n" + Fold(key)] = value;
    return true;
  }

  void Set(const std::string& section, const std::string& key, const std::string& value) {
    values[Fold(section) + "\n" + Fold(key)] = value;
  }

  std::vector<ProfileWrite> reads, writes;
  std::vector<std::uint32_t> requested_sizes;
  bool read_only = false;

 private:
  // ASCII letters only: the system folds no other bytes of an ANSI name.
  static std::string Fold(std::string text) {
    for (char& c : text)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
  }
  std::map<std::string, std::string> values;
};

class FakeFileProbe : public FileProbe {
 public:
  bool CanOpenForReading(const std::string& path) override {
    probed.push_back(path);
    return readable.count(path) > 0;
  }
  std::set<std::string> readable;
  std::vector<std::string> probed;
};

}  // namespace velkaro::testing
