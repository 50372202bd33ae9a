// The real executable under the Japanese ANSI code page 932, where the
// paths that the system gives hold characters whose second byte is that of
// '\' (ソ 83 5C, 表 95 5C) or of a letter (ギ 83 4D). Wine takes the code
// page from the locale: the test e2e_code_page_932 runs these with
// LC_ALL=ja_JP.UTF-8, in a Wine prefix made under that locale.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "e2e/saver_driver.h"
#include "e2e/settings_dialog_driver.h"
#include "settings/window_titles.h"
#include "support/saver_process_win32.h"
#include "support/settings_file_bytes.h"

namespace velkaro::testing {
namespace {

void ExpectCodePage932() {
  ASSERT_EQ(GetACP(), 932u) << "these tests need the ANSI code page 932: they run under the "
                               "test e2e_code_page_932, with a Japanese locale";
}

// Velkaro.scr renamed 表示.scr, in a folder ソフト.
class CodePage932Dialog : public SettingsDialogE2e {
 protected:
  CodePage932Dialog() : SettingsDialogE2e(L"\u30BD\u30D5\u30C8", L"\u8868\u793A.scr") {}
  void SetUp() override {
    ExpectCodePage932();
    ASSERT_TRUE(folder_.made()) << "the folder or the copy could not be made";
  }
};

TEST_F(CodePage932Dialog, ASaverNamedInJapaneseLoadsAndSavesItsSettingsInItsFolder) {
  // Written by hand, with the spaces that Wine's own writes leave out, so
  // that a file the dialog did not rewrite differs from one it did.
  folder_.WriteIni("[Section]\r\n" + IniLine(kRandomKey, " 1") + IniLine(kPatternKey, " 5") +
                   IniLine(kKindKey, " 1") + IniLine(kRepeatKey, " 3"));
  ASSERT_TRUE(Open());
  ClickSetting();
  ASSERT_TRUE(Closes());
  // What it loaded, saved back where it came from.
  EXPECT_EQ(folder_.ReadIni(), WrittenIni(1, 5, 1, 3, ""));
}

TEST_F(CodePage932Dialog, ItsCaptionReadsInJapanese) {
  ASSERT_TRUE(Open());
  EXPECT_EQ(Caption(dialog_), kJapaneseCaption);
  ClickCancel();
  EXPECT_TRUE(Closes());
}

// The saver runs with this music file, and says whether it opened it as an
// MP3 within a few seconds.
bool PlaysAsMp3(const SaverFolder& folder, const std::string& music) {
  folder.WriteIni("[Section]\r\n" + IniLine(kPatternKey, " 8") + IniLine(kKindKey, " 2") +
                  IniLine(kFileKey, music));
  SaverProcess saver(folder, "/s");
  EXPECT_NE(saver.WaitForWindow(Wide(kSaverWindowTitle), 15000), nullptr) << music;
  const bool opened = HeldOpenWithin(music, 5000);
  PressKey(VK_RETURN);
  EXPECT_TRUE(saver.WaitForExit(8000)) << music;
  return opened;
}

// A name is an MP3 by its last three characters: ソフト\表示.mp3 is one,
// ソフト\曲ギP3 is not, though its last three bytes are "MP3". Both hold
// the same playable MP3.
TEST(CodePage932, AMusicFileIsKnownByItsLastThreeCharacters) {
  ExpectCodePage932();
  const char* tone = std::getenv("VELKARO_TONE_MP3");
  ASSERT_NE(tone, nullptr) << "needs VELKARO_TONE_MP3";
  SaverFolder folder(L"\u30BD\u30D5\u30C8");
  ASSERT_TRUE(folder.made());
  const std::string mp3 = folder.path() + "\\\x95\x5C\x8E\xA6.mp3";    // 表示.mp3
  const std::string not_mp3 = folder.path() + "\\\x8B\xC8\x83\x4DP3";  // 曲ギP3
  const std::string bytes = ReadFileBytes(tone);
  ASSERT_FALSE(bytes.empty());
  for (const std::string* path : {&mp3, &not_mp3}) std::ofstream(*path, std::ios::binary) << bytes;

  EXPECT_TRUE(PlaysAsMp3(folder, mp3));
  EXPECT_FALSE(PlaysAsMp3(folder, not_mp3));
  DeleteFileA(mp3.c_str());
  DeleteFileA(not_mp3.c_str());
}

}  // namespace
}  // namespace velkaro::testing
