// Which file holds the settings: the one beside the executable while the
// user can write it, the user's own one where not.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "settings/settings.h"
#include "support/fake_profile_store.h"

namespace velkaro {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::Field;
using ::testing::IsEmpty;

const std::string kBeside = "C:\\Program Files\\Velkaro\\Velkaro.ini";
const std::string kUserFolder = "C:\\Users\\Ann\\AppData\\Roaming\\Velkaro";
const std::string kOwn = kUserFolder + "\\Velkaro.ini";

class SettingsLocationTest : public ::testing::Test {
 protected:
  std::vector<std::string> ReadPaths() {
    Settings settings;
    store.reads.clear();
    LoadSettings(settings, file);
    std::vector<std::string> paths;
    for (const auto& read : store.reads) paths.push_back(read.path);
    return paths;
  }
  bool Save() {
    Settings settings{0, 14, 0, 0, ""};
    store.writes.clear();
    return SaveSettings(settings, file, "");
  }
  void BesideIsReadOnly() { files.unwritable.insert(kBeside); }
  void OwnFileExists() { files.readable.insert(kOwn); }

  testing::FakeProfileStore store;
  testing::FakeFileProbe files;
  SettingsFile file{store, files, kBeside, kUserFolder};
};

TEST_F(SettingsLocationTest, AWritableFileBesideTheProgramIsTheFileEvenWhenTheUserHasOne) {
  OwnFileExists();
  EXPECT_THAT(ReadPaths(), Each(kBeside));
  EXPECT_TRUE(Save());
  EXPECT_THAT(store.writes, Each(Field(&testing::ProfileWrite::path, kBeside)));
  EXPECT_THAT(files.made_folders, IsEmpty());
}

TEST_F(SettingsLocationTest, WithoutAFileOfTheUsersNothingIsProbedForWriting) {
  ReadPaths();
  EXPECT_THAT(files.write_probed, IsEmpty());
}

TEST_F(SettingsLocationTest, WhereTheUserCannotWriteBesideTheProgramTheSaveGoesToTheirOwnFolder) {
  BesideIsReadOnly();
  EXPECT_THAT(ReadPaths(), Each(kBeside)) << "until the user's own file exists";
  EXPECT_TRUE(Save());
  EXPECT_THAT(files.made_folders, ElementsAre(kUserFolder));
  EXPECT_EQ(store.writes.size(), 5u);
  EXPECT_THAT(store.writes, Each(Field(&testing::ProfileWrite::path, kOwn)));

  OwnFileExists();
  EXPECT_THAT(ReadPaths(), Each(kOwn));
}

TEST_F(SettingsLocationTest, ASaveThatCanBeMadeNowhereSaysSoAndWritesNothing) {
  BesideIsReadOnly();
  files.folders_can_be_made = false;
  EXPECT_FALSE(Save());
  EXPECT_THAT(store.writes, IsEmpty());

  SettingsFile no_user_folder{store, files, kBeside, ""};
  Settings settings;
  EXPECT_FALSE(SaveSettings(settings, no_user_folder, ""));
  EXPECT_THAT(store.writes, IsEmpty());
}

TEST_F(SettingsLocationTest, AWritableFileThatRefusesOneSaveFailsThereAndGoesNowhereElse) {
  store.failing_write = 3;
  EXPECT_FALSE(Save());
  EXPECT_THAT(store.writes, Each(Field(&testing::ProfileWrite::path, kBeside)));
  EXPECT_THAT(files.made_folders, IsEmpty());
}

TEST_F(SettingsLocationTest, AUserFileThatNoLongerOpensFallsBackToTheFileBesideTheProgram) {
  BesideIsReadOnly();
  Save();
  // Removed, or its folder taken away, since the save.
  EXPECT_THAT(ReadPaths(), Each(kBeside));
}

}  // namespace
}  // namespace velkaro
