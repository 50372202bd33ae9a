#include "settings/settings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/fake_profile_store.h"

namespace velkaro {
namespace {

using testing::FakeFileProbe;
using testing::FakeProfileStore;
using testing::ProfileWrite;

std::string Bytes(std::initializer_list<unsigned char> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

// The keys as the file holds them, in code page 932.
const std::string kRandom = Bytes({0xD7, 0xDD, 0xC0, 0xDE, 0xD1});
const std::string kPattern = Bytes({0xCA, 0xDF, 0xC0, 0xB0, 0xDD});
const std::string kKind = Bytes({0x42, 0x47, 0x4D, 0x8B, 0xE6, 0x95, 0xAA});
const std::string kRepeat = Bytes({0x42, 0x47, 0x4D, 0xD8, 0xCB, 0xDF, 0xB0, 0xC4});
const std::string kFile = Bytes({0x42, 0x47, 0x4D, 0xCC, 0xA7, 0xB2, 0xD9});
const std::string kPath = "C:\\Saver\\Velkaro.ini";

class SettingsTest : public ::testing::Test {
 protected:
  Settings Load() {
    Settings settings;
    LoadSettings(settings, file);
    return settings;
  }
  std::int16_t LoadPattern(const std::string& value) {
    store.Set("Section", kPattern, value);
    return Load().Pattern_No;
  }

  FakeProfileStore store;
  FakeFileProbe files;
  SettingsFile file{store, files, kPath};
};

TEST(SettingsPath, IsTheExecutableFolderAndTheFileName) {
  EXPECT_EQ(SettingsPathFor("C:\\Saver"), "C:\\Saver\\Velkaro.ini");
}

TEST_F(SettingsTest, AMissingFileReadsAsAllDefaults) {
  const Settings settings = Load();
  EXPECT_EQ(settings.Rdm_Flag, 0);
  EXPECT_EQ(settings.Pattern_No, 0);
  EXPECT_EQ(settings.BGM_Kind, 0);
  EXPECT_EQ(settings.BGM_RepeatTrack, 0);
  EXPECT_EQ(settings.BGM_File, "");
}

TEST_F(SettingsTest, ReadsTheFiveKeysInOrderFromSectionThroughA256ByteBuffer) {
  Load();
  ASSERT_EQ(store.reads.size(), 5u);
  const std::string keys[] = {kRandom, kPattern, kKind, kRepeat, kFile};
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(store.reads[i], (ProfileWrite{"Section", keys[i], "", kPath}));
    EXPECT_EQ(store.requested_sizes[i], 256u);
  }
}

TEST_F(SettingsTest, ReadsEveryNumberWithOrWithoutTheLeadingSpace) {
  store.Set("Section", kRandom, " 1");
  store.Set("Section", kPattern, "17");
  store.Set("Section", kKind, " 1");
  store.Set("Section", kRepeat, "-3");
  const Settings settings = Load();
  EXPECT_EQ(settings.Rdm_Flag, 1);
  EXPECT_EQ(settings.Pattern_No, 17);
  EXPECT_EQ(settings.BGM_Kind, 1);
  EXPECT_EQ(settings.BGM_RepeatTrack, -3);
}

TEST_F(SettingsTest, FloorsNumbersAndKeepsOnly16BitValues) {
  EXPECT_EQ(LoadPattern("5.9"), 5);
  EXPECT_EQ(LoadPattern("-0.5"), -1);
  EXPECT_EQ(LoadPattern("32767"), 32767);
  EXPECT_EQ(LoadPattern("-32768"), -32768);
  EXPECT_EQ(LoadPattern("32767.9"), 32767);
  EXPECT_EQ(LoadPattern("28"), 28);  // out of the preset range, but passed on
}

TEST_F(SettingsTest, TextThatIsNoUsableNumberLeavesTheVariableAtZero) {
  for (const char* value : {"abc", "99999", "-40000", "32768", "-32768.5", "1e9", "5x", "-", ".",
                            "1e", "\x01\xFF", "1e999"})
    EXPECT_EQ(LoadPattern(value), 0) << value;
}

TEST_F(SettingsTest, ANumberThatFailsKeepsTheValueAlreadyHeld) {
  Settings settings;
  settings.Pattern_No = 9;
  store.Set("Section", kPattern, "abc");
  LoadSettings(settings, file);
  EXPECT_EQ(settings.Pattern_No, 9);
  store.Set("Section", kPattern, "");
  LoadSettings(settings, file);
  EXPECT_EQ(settings.Pattern_No, 0);
}

TEST_F(SettingsTest, KeepsAMusicFileThatOpens) {
  store.Set("Section", kKind, " 2");
  store.Set("Section", kFile, "C:\\music\\song.mp3");
  files.readable = {"C:\\music\\song.mp3"};
  const Settings settings = Load();
  EXPECT_EQ(settings.BGM_Kind, 2);
  EXPECT_EQ(settings.BGM_File, "C:\\music\\song.mp3");
}

TEST_F(SettingsTest, AMusicChoiceWithoutAUsableFileMeansNoMusic) {
  store.Set("Section", kKind, " 2");
  EXPECT_EQ(Load().BGM_Kind, 0);  // no file key at all

  store.Set("Section", kFile, "C:\\gone.mp3");
  Settings settings = Load();
  EXPECT_EQ(settings.BGM_Kind, 0);
  EXPECT_EQ(settings.BGM_File, "");
}

TEST_F(SettingsTest, AFolderWithATrailingSeparatorIsProbedWithoutItAndFails) {
  store.Set("Section", kKind, " 2");
  store.Set("Section", kFile, "C:\\music\\");
  const Settings settings = Load();
  EXPECT_THAT(files.probed, ::testing::ElementsAre("C:\\music"));
  EXPECT_EQ(settings.BGM_File, "");
  EXPECT_EQ(settings.BGM_Kind, 0);
}

TEST_F(SettingsTest, APathEndingInADoubleByteCharacterIsProbedWhole) {
  // 曲ソ under code page 932: its last byte is that of '\', its last
  // character is ソ (83 5C).
  const std::string path = "C:\\\x8B\xC8\x83\x5C";
  store.Set("Section", kKind, " 2");
  store.Set("Section", kFile, path);
  files.path_lead_bytes = IsCp932LeadByte;
  files.readable = {path};
  EXPECT_EQ(Load().BGM_File, path);
  // The same bytes under 1252 end in a separator, which goes.
  files.probed.clear();
  files.path_lead_bytes = IsNeverLeadByte;
  EXPECT_EQ(Load().BGM_File, "");
  EXPECT_THAT(files.probed, ::testing::ElementsAre(path.substr(0, path.size() - 1)));
}

TEST_F(SettingsTest, TheAudioCdChoiceNeverDependsOnTheFile) {
  store.Set("Section", kKind, " 1");
  store.Set("Section", kFile, "C:\\gone.mp3");
  EXPECT_EQ(Load().BGM_Kind, 1);
}

TEST_F(SettingsTest, AValueIsReadAsItsFirst255Bytes) {
  const std::string long_path(300, 'a');
  store.Set("Section", kFile, long_path);
  files.readable = {long_path.substr(0, 255)};
  EXPECT_EQ(Load().BGM_File, long_path.substr(0, 255));
}

TEST_F(SettingsTest, SavesAllFiveKeysInOrderWithTheNumberEncoding) {
  Settings settings{1, 27, 2, 0, "C:\\music\\song.mp3"};
  SaveSettings(settings, file, "12");
  EXPECT_THAT(store.writes,
              ::testing::ElementsAre(ProfileWrite{"Section", kRandom, " 1", kPath},
                                     ProfileWrite{"Section", kPattern, " 27", kPath},
                                     ProfileWrite{"Section", kKind, " 2", kPath},
                                     ProfileWrite{"Section", kRepeat, " 12", kPath},
                                     ProfileWrite{"Section", kFile, "C:\\music\\song.mp3", kPath}));
  EXPECT_EQ(settings.BGM_RepeatTrack, 12);
}

TEST_F(SettingsTest, SavingTheEmptyTrackEntryStoresZeroAndAnEmptyPathIsStillWritten) {
  Settings settings{0, 0, 0, 5, ""};
  SaveSettings(settings, file, "");
  EXPECT_EQ(settings.BGM_RepeatTrack, 0);
  EXPECT_EQ(store.writes[3].value, " 0");
  EXPECT_EQ(store.writes[4], (ProfileWrite{"Section", kFile, "", kPath}));
}

TEST_F(SettingsTest, WhatIsSavedLoadsBackUnchanged) {
  Settings saved{1, -1, 1, 7, "D:\\a b\\c.wav"};
  SaveSettings(saved, file, "7");
  files.readable = {"D:\\a b\\c.wav"};
  const Settings loaded = Load();
  EXPECT_EQ(loaded.Rdm_Flag, 1);
  EXPECT_EQ(loaded.Pattern_No, -1);
  EXPECT_EQ(loaded.BGM_Kind, 1);
  EXPECT_EQ(loaded.BGM_RepeatTrack, 7);
  EXPECT_EQ(loaded.BGM_File, "D:\\a b\\c.wav");
}

TEST(FormatIniNumber, PutsASpaceBeforeNonNegativeNumbers) {
  EXPECT_EQ(FormatIniNumber(5), " 5");
  EXPECT_EQ(FormatIniNumber(0), " 0");
  EXPECT_EQ(FormatIniNumber(-1), "-1");
  EXPECT_EQ(FormatIniNumber(-32768), "-32768");
  EXPECT_EQ(FormatIniNumber(32767), " 32767");
}

}  // namespace
}  // namespace velkaro
