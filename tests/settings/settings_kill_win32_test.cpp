// The settings file survives a save that is cut short: a process saving in a
// loop is killed at random moments, and the file afterwards always holds
// exactly one of the two sets it was saving. A read-only file refuses the
// save and keeps every byte.
#include <windows.h>

#include <gtest/gtest.h>

#include <random>

#include "settings/profile_store_win32.h"
#include "settings/settings.h"
#include "settings/settings_kill_sets.h"
#include "support/test_files_win32.h"

namespace velkaro {
namespace {

using testing::FileIsThere;
using testing::ReadFileBytes;
using testing::ScopedTempFolder;

void Save(const std::string& folder, int which) {
  Win32ProfileStore store;
  Win32FileProbe files;
  Settings settings = testing::KillTestSettings(which);
  SaveSettings(settings, SettingsFile{store, files, SettingsPathFor(folder)},
               testing::KillTestRepeatText(which));
}

// The file of a save of set `which` over a file of the other set.
std::string ContentOf(int which) {
  const ScopedTempFolder temp_folder("content" + std::to_string(which));
  const std::string& folder = temp_folder.path();
  Save(folder, 1 - which);
  Save(folder, which);
  return ReadFileBytes(SettingsPathFor(folder));
}

TEST(SettingsSaveKilled, TheFileIsAlwaysTheOldOrTheNewContent) {
  const std::string contents[2] = {ContentOf(0), ContentOf(1)};
  ASSERT_NE(contents[0], contents[1]);
  const ScopedTempFolder temp_folder("killed");
  const std::string& folder = temp_folder.path();
  const std::string path = SettingsPathFor(folder);
  Save(folder, 0);

  std::mt19937 random(std::random_device{}());
  // Starting a process under Wine takes a few hundred milliseconds, so the
  // delays reach well past that to land inside the saving loop.
  std::uniform_int_distribution<int> delay_ms(300, 1500);
  constexpr int kKills = 25;
  int seen[2] = {0, 0};
  for (int kill = 0; kill < kKills; ++kill) {
    std::string command =
        "\"" + testing::BesideThisProgram("settings_save_loop.exe") + "\" \"" + folder + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process))
        << command;
    // A kill at a random moment is what is tested: no condition ends it.
    Sleep(DWORD(delay_ms(random)));
    DWORD exit_code = 0;
    GetExitCodeProcess(process.hProcess, &exit_code);
    EXPECT_EQ(exit_code, STILL_ACTIVE) << "the saving loop ended by itself";
    TerminateProcess(process.hProcess, 9);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    const std::string bytes = ReadFileBytes(path);
    const bool old_or_new = bytes == contents[0] || bytes == contents[1];
    ASSERT_TRUE(old_or_new) << "after kill " << kill << " the file holds:\n" << bytes;
    ++seen[bytes == contents[1]];
  }
  ::testing::Test::RecordProperty("first_set", seen[0]);
  ::testing::Test::RecordProperty("second_set", seen[1]);
  // A stale copy of the killed save may be left; the next save removes it.
  Save(folder, 0);
  EXPECT_FALSE(FileIsThere(path + ".tmp"));
  EXPECT_EQ(ReadFileBytes(path), contents[0]);
}

TEST(SettingsSaveReadOnly, AReadOnlyFileKeepsEveryByteAndNoCopyIsLeft) {
  const ScopedTempFolder temp_folder("readonly");
  const std::string& folder = temp_folder.path();
  const std::string path = SettingsPathFor(folder);
  Save(folder, 0);
  const std::string before = ReadFileBytes(path);
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  Save(folder, 1);
  EXPECT_EQ(ReadFileBytes(path), before);
  EXPECT_FALSE(FileIsThere(path + ".tmp"));
}

}  // namespace
}  // namespace velkaro
