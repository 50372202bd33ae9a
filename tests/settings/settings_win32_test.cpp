// The settings code against the system's own private-profile functions: what
// ends up in the file, byte for byte, and what reads back from one.
#include <windows.h>

#include <gtest/gtest.h>

#include "settings/profile_store_win32.h"
#include "settings/settings.h"
#include "support/test_files_win32.h"

namespace velkaro {
namespace {

using testing::ReadFileBytes;
using testing::WriteFileBytes;

class Win32SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { DeleteFileA(path.c_str()); }
  void TearDown() override { DeleteFileA(path.c_str()); }

  testing::ScopedTempFolder temp_folder{"settings"};
  std::string folder = temp_folder.path();
  std::string path = SettingsPathFor(folder);
  Win32ProfileStore store;
  Win32FileProbe files;
  SettingsFile file{store, files, path};
};

TEST_F(Win32SettingsTest, WritesTheKeysInCodePage932) {
  Settings settings{1, 27, 2, 0, folder + "\\song.mp3"};
  SaveSettings(settings, file, "3");
  // Wine drops the leading space of a value that Windows keeps ("= 1"); the
  // space does reach the system, as the host tests show, so the comparison
  // takes the file without it.
  std::string bytes = ReadFileBytes(path);
  for (std::size_t at; (at = bytes.find("= ")) != std::string::npos;) bytes.erase(at + 1, 1);
  EXPECT_EQ(bytes, std::string("[Section]\r\n") +
                       "\xD7\xDD\xC0\xDE\xD1=1\r\n"
                       "\xCA\xDF\xC0\xB0\xDD=27\r\n"
                       "BGM\x8B\xE6\x95\xAA=2\r\n"
                       "BGM\xD8\xCB\xDF\xB0\xC4=3\r\n"
                       "BGM\xCC\xA7\xB2\xD9=" +
                       folder + "\\song.mp3\r\n");
}

TEST_F(Win32SettingsTest, AnEmptyMusicPathKeepsItsKey) {
  Settings settings;
  SaveSettings(settings, file, "");
  EXPECT_NE(ReadFileBytes(path).find("BGM\xCC\xA7\xB2\xD9=\r\n"), std::string::npos);
}

TEST_F(Win32SettingsTest, ReadsAFileWrittenByWindows) {
  const std::string song = folder + "\\song.wav";
  WriteFileBytes(song, "RIFF");
  WriteFileBytes(path,
                 "[Section]\r\n"
                 "\xD7\xDD\xC0\xDE\xD1= 0\r\n"
                 "\xCA\xDF\xC0\xB0\xDD= 5.9\r\n"
                 "BGM\x8B\xE6\x95\xAA= 2\r\n"
                 "BGM\xD8\xCB\xDF\xB0\xC4=-1\r\n"
                 "BGM\xCC\xA7\xB2\xD9=" +
                     song + "\r\n");
  Settings settings;
  LoadSettings(settings, file);
  EXPECT_EQ(settings.Pattern_No, 5);
  EXPECT_EQ(settings.BGM_Kind, 2);
  EXPECT_EQ(settings.BGM_RepeatTrack, -1);
  EXPECT_EQ(settings.BGM_File, song);
  DeleteFileA(song.c_str());
}

TEST_F(Win32SettingsTest, AFolderOrAMissingFileIsNoMusicFile) {
  EXPECT_FALSE(FileExists(files, folder));
  EXPECT_FALSE(FileExists(files, folder + "\\"));
  EXPECT_FALSE(FileExists(files, folder + "\\missing.mp3"));
  WriteFileBytes(path, "x");
  EXPECT_TRUE(FileExists(files, path));
}

TEST_F(Win32SettingsTest, ALongValueIsCutTo255Bytes) {
  WriteFileBytes(path, "[Section]\r\nBGM\xCC\xA7\xB2\xD9=" + std::string(300, 'q') + "\r\n");
  EXPECT_EQ(GetIni(store, "Section", "BGM\xCC\xA7\xB2\xD9", path), std::string(255, 'q'));
}

// The 95/98 family exports MoveFileExA without implementing it, and Wine
// always implements it, so the failure is played by the replace function the
// store is given.
bool ReplaceNotImplemented(const char*, const char*) {
  SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
  return false;
}

TEST_F(Win32SettingsTest, SavesWhereTheReplaceIsNotImplementedOrNotAvailable) {
  const std::string hand_written = "[Section]\r\n; kept\r\n";
  Win32ProfileStore no_replace(true, &ReplaceNotImplemented);
  Win32ProfileStore off_nt(false);
  for (ProfileStore* each :
       {static_cast<ProfileStore*>(&no_replace), static_cast<ProfileStore*>(&off_nt)}) {
    WriteFileBytes(path, hand_written);
    SettingsFile other{*each, files, path};
    Settings settings{0, 9, 0, 0, ""};
    SaveSettings(settings, other, "");
    const std::string bytes = ReadFileBytes(path);
    EXPECT_EQ(bytes.rfind(hand_written, 0), 0u) << bytes;
    EXPECT_NE(bytes.find("\xCA\xDF\xC0\xB0\xDD=9\r\n"), std::string::npos) << bytes;
    EXPECT_EQ(GetFileAttributesA((path + ".tmp").c_str()), INVALID_FILE_ATTRIBUTES);
  }
}

// Under Wine as root every folder is writable, so a folder the user may not
// write is tried by normal_user_test.sh; here, what the attributes and the
// kinds of path give.
TEST_F(Win32SettingsTest, AFileIsWritableUnlessReadOnlyAndTheProbeLeavesNothing) {
  EXPECT_TRUE(files.CanWriteFile(path)) << "a new file in a writable folder";
  EXPECT_FALSE(testing::FileIsThere(path));
  EXPECT_FALSE(testing::FileIsThere(path + ".probe"));

  WriteFileBytes(path, "[Section]\r\n");
  EXPECT_TRUE(files.CanWriteFile(path));
  EXPECT_EQ(ReadFileBytes(path), "[Section]\r\n");
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(files.CanWriteFile(path));
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);

  EXPECT_FALSE(files.CanWriteFile(folder)) << "a folder is no settings file";
  EXPECT_FALSE(files.CanWriteFile(folder + "\\missing\\Velkaro.ini"));
}

TEST_F(Win32SettingsTest, AFolderIsMadeOnceAndAFileInItsWayFails) {
  const std::string own = folder + "\\own";
  EXPECT_TRUE(files.MakeFolder(own));
  EXPECT_TRUE(files.MakeFolder(own)) << "it is there already";
  RemoveDirectoryA(own.c_str());
  WriteFileBytes(own, "in the way");
  EXPECT_FALSE(files.MakeFolder(own));
  DeleteFileA(own.c_str());
  EXPECT_FALSE(files.MakeFolder(folder + "\\no\\such"));
}

}  // namespace
}  // namespace velkaro
