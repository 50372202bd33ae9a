// A save either replaces the whole settings file or leaves it as it was: the
// keys go to the store's staging copy, which replaces the file only when
// every key was written. And a faulty store never widens a value.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "settings/profile_store.h"
#include "settings/settings.h"
#include "support/fake_profile_store.h"

namespace velkaro {
namespace {

using ::testing::ElementsAre;

class SettingsSaveTest : public ::testing::Test {
 protected:
  SettingsSaveTest() { store.stages_saves = true; }

  Settings Load() {
    Settings settings;
    LoadSettings(settings, file);
    return settings;
  }
  void SaveOld() {
    Settings old{0, 4, 1, 2, ""};
    SaveSettings(old, file, "2");
    store.events.clear();
    store.writes.clear();
  }
  void ExpectTheOldSettings() {
    const Settings loaded = Load();
    EXPECT_EQ(loaded.Pattern_No, 4);
    EXPECT_EQ(loaded.BGM_Kind, 1);
    EXPECT_EQ(loaded.BGM_RepeatTrack, 2);
    EXPECT_FALSE(store.HasStagingCopy()) << "the staging copy is left behind";
  }

  const std::string kPath = "C:\\Saver\\Velkaro.ini";
  testing::FakeProfileStore store;
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
  std::uint32_t GetString(const char*, const char*, const char*, char* buffer, std::uint32_t size,
                          const char*) override {
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
