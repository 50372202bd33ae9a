// The settings of a user who cannot write beside the program, as on a
// current Windows where the program lies in a system folder. Run by
// normal_user_test.sh as users who are not root, with VELKARO_INSTALLED_SAVER
// naming a copy in a folder they cannot write, beside a Velkaro.ini of
// pattern 5 with the tone MP3 as music. Under Wine as root every folder is
// writable, so these run nowhere else.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "e2e/saver_driver.h"
#include "e2e/settings_dialog_driver.h"
#include "settings/window_titles.h"
#include "support/saver_process_win32.h"
#include "support/screen_pixels_win32.h"

namespace velkaro::testing {
namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

class NormalUser : public SettingsDialogE2e {
 protected:
  void SetUp() override {
    installed_ = Variable("VELKARO_INSTALLED_SAVER");
    tone_ = Variable("VELKARO_TONE_MP3");
    if (installed_.empty() || tone_.empty()) GTEST_FAIL() << "run by normal_user_test.sh";
    beside_ = installed_.substr(0, installed_.find_last_of('\\')) + "\\Velkaro.ini";
    beside_bytes_ = ReadFileBytes(beside_);
    ASSERT_FALSE(beside_bytes_.empty()) << beside_;
  }
  void TearDown() override {
    EXPECT_EQ(ReadFileBytes(beside_), beside_bytes_) << "the file beside the program changed";
  }
  // The settings that the file beside the program gives, saved again with
  // the pattern changed.
  std::string SavedWithPattern(int pattern) const { return WrittenIni(0, pattern, 2, 0, tone_); }

  std::string installed_, tone_, beside_, beside_bytes_;
};

TEST_F(NormalUser, TheFileBesideTheProgramIsReadWhileTheUserHasNoneOfTheirOwn) {
  const NoUserSettings no_user_settings;
  ASSERT_TRUE(OpenInstalled(installed_));
  ClickSetting();
  ASSERT_TRUE(Closes());
  EXPECT_EQ(process_->exit_code(), 0u);
  EXPECT_EQ(ReadFileBytes(UserSettingsFile()), SavedWithPattern(5));
}

TEST_F(NormalUser, WithNeitherPlaceWritableTheDialogSaysSoAndKeepsTheChoices) {
  const NoUserSettings no_user_settings;
  // A file where the settings folder would go: it cannot be made.
  WriteFileBytes(UserSettingsFolder(), "in the way");
  ASSERT_TRUE(OpenInstalled(installed_));
  ClickThumbnail(9);
  ClickSetting();
  std::vector<HWND> others;
  WaitUntil(
      [&] {
        CollectOtherWindows(process_->process_id(), dialog_, others);
        return !others.empty();
      },
      kCloseMs, 50);
  ASSERT_EQ(others.size(), 1u) << "one message";
  char class_name[16] = {};
  GetClassNameA(others[0], class_name, sizeof class_name);
  EXPECT_STREQ(class_name, "#32770");
  EXPECT_EQ(Caption(others[0]), kJapaneseCaption);  // the dialog's own

  SetForegroundWindow(others[0]);
  PressKey(VK_RETURN);
  WaitUntil([&] { return !IsWindow(others[0]); }, 5000, 50);
  EXPECT_FALSE(IsWindow(others[0]));
  EXPECT_FALSE(process_->WaitForExit(500)) << "the dialog must stay open";
  EXPECT_TRUE(IsWindowVisible(dialog_));

  // The choice is still there: once the folder can be made, it is saved.
  DeleteFileA(UserSettingsFolder().c_str());
  ClickSetting();
  ASSERT_TRUE(Closes());
  EXPECT_EQ(ReadFileBytes(UserSettingsFile()), SavedWithPattern(9));
}

// Last of the first user's tests: it leaves their settings for the second
// user's test and the driver's check that each kept their own.
TEST_F(NormalUser, SettingSavesForTheUserAndTheNextRunShowsThatPattern) {
  ASSERT_TRUE(OpenInstalled(installed_));
  ClickThumbnail(14);
  ClickSetting();
  ASSERT_TRUE(Closes());
  EXPECT_EQ(ReadFileBytes(UserSettingsFile()), SavedWithPattern(14));

  // Pattern 14's background is blue.
  SaverProcess saver(installed_, "/s");
  ASSERT_NE(saver.WaitForWindow(Wide(kSaverWindowTitle), 15000), nullptr);
  WaitUntilTheScreenShowsPatternFourteen();
  const COLORREF most = MostCommonScreenColour();
  EXPECT_GE(GetBValue(most), 250);
  EXPECT_LE(GetRValue(most), 4);

  // And the dialog shows the user's choices again: saved unchanged.
  saver.Terminate();
  ASSERT_TRUE(OpenInstalled(installed_));
  ClickSetting();
  ASSERT_TRUE(Closes());
  EXPECT_EQ(ReadFileBytes(UserSettingsFile()), SavedWithPattern(14));
}

TEST_F(NormalUser, ASecondUserStartsFromTheFileBesideTheProgram) {
  ASSERT_TRUE(OpenInstalled(installed_));
  ClickSetting();
  ASSERT_TRUE(Closes());
  EXPECT_EQ(ReadFileBytes(UserSettingsFile()), SavedWithPattern(5)) << "not the first user's";

  ASSERT_TRUE(OpenInstalled(installed_));
  ClickThumbnail(20);
  ClickSetting();
  ASSERT_TRUE(Closes());
  EXPECT_EQ(ReadFileBytes(UserSettingsFile()), SavedWithPattern(20));
}

}  // namespace
}  // namespace velkaro::testing
