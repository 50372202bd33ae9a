// A save either replaces the whole settings file or leaves it as it was: the
// keys go to the store's staging copy, which replaces the file only when
// every key was written. And a faulty store never widens a value.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "settings/profile_store.h"
#include "settings/settings.h"
#include "support/fake_profile_store.h"

namespace velkaro {
namespace {

using ::testing::ElementsAre;

// Files in memory, each a map of "section\nkey" to value; a save works on a
// copy named path + "~" that the commit renames over the file.
class StagingProfileStore : public ProfileStore {
 public:
  using File = std::map<std::string, std::string>;

  std::uint32_t GetString(const char* section, const char* key, const char* default_value,
                          char* buffer, std::uint32_t size, const char* path) override {
    const File& file = files[path];
    const auto it = file.find(std::string(section) + '\n' + key);
    const std::string value = it == file.end() ? default_value : it->second;
    const std::size_t n = std::min<std::size_t>(value.size(), size - 1);
    std::memcpy(buffer, value.data(), n);
    buffer[n] = '\0';
    return std::uint32_t(n);
  }
  bool WriteString(const char* section, const char* key, const char* value,
                   const char* path) override {
    events.push_back(std::string("write ") + path);
    if (++writes == failing_write) return false;
    files[path][std::string(section) + '\n' + key] = value;
    return true;
  }
  std::string BeginSave(const std::string& path) override {
    events.push_back("begin");
    files[path + "~"] = files[path];
    return path + "~";
  }
  bool CommitSave(const std::string& staging, const std::string& path) override {
    events.push_back("commit");
    if (read_only) {
      files.erase(staging);
      return false;
    }
    files[path] = files[staging];
    files.erase(staging);
    return true;
  }
  void AbandonSave(const std::string& staging, const std::string&) override {
    events.push_back("abandon");
    files.erase(staging);
  }

  std::map<std::string, File> files;
  std::vector<std::string> events;
  int writes = 0;
  int failing_write = 0;  // 1-based; 0 means none fails
  bool read_only = false;
};

class SettingsSaveTest : public ::testing::Test {
 protected:
  Settings Load() {
    Settings settings;
    LoadSettings(settings, file);
    return settings;
  }
  void SaveOld() {
    Settings old{0, 4, 1, 2, ""};
    SaveSettings(old, file, "2");
    store.events.clear();
    store.writes = 0;
  }
  void ExpectTheOldSettings() {
    const Settings loaded = Load();
    EXPECT_EQ(loaded.Pattern_No, 4);
    EXPECT_EQ(loaded.BGM_Kind, 1);
    EXPECT_EQ(loaded.BGM_RepeatTrack, 2);
    EXPECT_EQ(store.files.count(kPath + "~"), 0u) << "the staging copy is left behind";
  }

  const std::string kPath = "C:\\Saver\\Velkaro.ini";
  StagingProfileStore store;
  testing::FakeFileProbe files;
  SettingsFile file{store, files, kPath};
  Settings next{1, 27, 0, 0, ""};
};

TEST_F(SettingsSaveTest, WritesEveryKeyIntoTheCopyAndCommitsOnceAtTheEnd) {
  SaveOld();
  SaveSettings(next, file, "9");
  const std::string copy = "write " + kPath + "~";
  EXPECT_THAT(store.events, ElementsAre("begin", copy, copy, copy, copy, copy, "commit"));
  const Settings loaded = Load();
  EXPECT_EQ(loaded.Rdm_Flag, 1);
  EXPECT_EQ(loaded.Pattern_No, 27);
  EXPECT_EQ(loaded.BGM_RepeatTrack, 9);
}

TEST_F(SettingsSaveTest, AnyRefusedWriteLeavesTheFileAsItWas) {
  for (int failing = 1; failing <= 5; ++failing) {
    SCOPED_TRACE(failing);
    SaveOld();
    store.failing_write = failing;
    SaveSettings(next, file, "9");
    EXPECT_EQ(store.events.back(), "abandon");
    ExpectTheOldSettings();
    store.failing_write = 0;
  }
}

TEST_F(SettingsSaveTest, AFileThatRefusesTheReplacementKeepsItsContent) {
  SaveOld();
  store.read_only = true;
  SaveSettings(next, file, "9");
  ExpectTheOldSettings();
}

// A store that fills the whole buffer and terminates nothing must still give
// at most the 255 bytes a value can have.
class UnterminatedProfileStore : public testing::FakeProfileStore {
 public:
  std::uint32_t GetString(const char*, const char*, const char*, char* buffer,
                          std::uint32_t size, const char*) override {
    std::memset(buffer, 'x', size);
    return size;
  }
};

TEST(GetIniOfAFaultyStore, GivesAtMost255Bytes) {
  UnterminatedProfileStore store;
  EXPECT_EQ(GetIni(store, "Section", "key", "C:\\Velkaro.ini"), std::string(255, 'x'));
}

}  // namespace
}  // namespace velkaro
