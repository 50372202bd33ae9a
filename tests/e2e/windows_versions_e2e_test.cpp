// The real Velkaro.scr under Wine's version settings of Windows 98, 2000 and
// XP: a full-screen run of pattern 14, the settings dialog and the preview.
// Told it runs on Windows 98 the program takes its 95/98 paths: ANSI windows
// with code page 932 captions, the password library at the end of a run,
// the file chooser's ANSI entry point and settings written into the file
// itself. Each test first shows that the setting reached the program.
#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "settings/window_titles.h"
#include "support/saver_process_win32.h"
#include "support/screen_pixels_win32.h"
#include "support/settings_file_bytes.h"
#include "support/windows_version_win32.h"
#include "e2e/preview_pane.h"
#include "e2e/saver_driver.h"
#include "e2e/settings_dialog_driver.h"

namespace velkaro::testing {
namespace {

// The settings dialog's caption, Velkaroの設定, in code page 932.
const std::string kSettingsCaptionCp932 = "Velkaro\x82\xCC\x90\xDD\x92\xE8";
// The file chooser's title, ﾌｧｲﾙを開く, in code page 932.
const std::string kChooserTitleCp932 = "\xCC\xA7\xB2\xD9\x82\xF0\x8A\x4A\x82\xAD";

std::string VersionName(const ::testing::TestParamInfo<WindowsVersion>& info) {
  return info.param.wine_name;
}

constexpr const char* kNotReached =
    "Wine's version setting did not reach a program named Velkaro.scr";

class WindowsVersions : public ::testing::TestWithParam<WindowsVersion> {
 protected:
  void SetUp() override {
    setting_.emplace(GetParam());
    ASSERT_EQ(VersionToldToTheSaver(), GetParam().reported) << kNotReached;
  }
  std::optional<PretendWindowsVersion> setting_;
};

// Pattern 14's background is palette mode 1's index 0, blue on the screen;
// then a key ends the run (on the 95/98 path through the password check,
// which lets it end where the password library is missing).
TEST_P(WindowsVersions, ShowModeShowsPattern14sBlueAndAKeyEndsIt) {
  SaverFolder folder;
  folder.WriteIni("[Section]\r\n" + IniLine(kPatternKey, " 14"));
  SaverProcess saver(folder, "/s");
  ASSERT_NE(saver.WaitForWindow(Wide(kSaverWindowTitle), kWindowShowsMs), nullptr);
  WaitUntilTheScreenShowsPatternFourteen();
  const COLORREF most = MostCommonScreenColour();
  EXPECT_LE(GetRValue(most), 4);
  EXPECT_NEAR(GetGValue(most), 64, 4);
  EXPECT_GE(GetBValue(most), 250);
  EXPECT_FALSE(saver.WaitForExit(0));
  PressKey(VK_SPACE);
  EXPECT_TRUE(saver.WaitForExit(kEndsMs));
  EXPECT_EQ(saver.exit_code(), 0u);
}

// A pattern, the music file from the file chooser, Setting: the bytes saved.
class WindowsVersionsDialog : public SettingsDialogE2e,
                              public ::testing::WithParamInterface<WindowsVersion> {
 protected:
  void SetUp() override {
    setting_.emplace(GetParam());
    ASSERT_EQ(VersionToldToTheSaver(), GetParam().reported) << kNotReached;
    dialog_caption_ = TextAsShown(GetParam(), Wide(kSettingsWindowTitle), kSettingsCaptionCp932);
    chooser_caption_ = TextAsShown(GetParam(), Wide("ﾌｧｲﾙを開く"), kChooserTitleCp932);
  }
  std::optional<PretendWindowsVersion> setting_;
};

// The file type the chooser shows selected, read through its window.
std::wstring ShownFileType(HWND chooser) {
  wchar_t text[128] = {};
  SendMessageW(GetDlgItem(chooser, cmb1), WM_GETTEXT, 128, reinterpret_cast<LPARAM>(text));
  return text;
}

// An empty music file, gone with the test however it ends, so that the
// folder goes too: a later run's folder can have the same name.
struct SongFile {
  explicit SongFile(std::string file) : path(std::move(file)) {
    CloseHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  }
  ~SongFile() { DeleteFileA(path.c_str()); }
  SongFile(const SongFile&) = delete;
  SongFile& operator=(const SongFile&) = delete;
  std::string path;
};

TEST_P(WindowsVersionsDialog, AChoiceMadeAndSavedLeavesItsBytes) {
  NoUserSettings no_user_settings;
  // A line of its own that the save keeps, whether it goes through a copy
  // (the NT family) or into the file itself (95/98).
  const std::string kept = "; kept by hand\r\n";
  folder_.WriteIni(kept + "[Section]\r\n" + IniLine(kRandomKey, " 1"));
  const SongFile song_file(folder_.path() + "\\song.mp3");
  const std::string& song = song_file.path;
  ASSERT_TRUE(Open());
  ClickThumbnail(19);
  PressMusicKind(2, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
  // Found by its title; its file-type list is the program's too.
  const HWND chooser = OpenChooser();
  ASSERT_NE(chooser, nullptr) << "no file chooser titled \"ﾌｧｲﾙを開く\" showed";
  EXPECT_EQ(ShownFileType(chooser),
            TextAsShown(GetParam(), Wide("BGMﾌｧｲﾙ (MP3 WAV)"), "BGM\xCC\xA7\xB2\xD9 (MP3 WAV)"));
  ASSERT_TRUE(TakeFile(chooser, Wide(song)));
  ClickSetting();
  ASSERT_TRUE(Closes());
  EXPECT_EQ(folder_.ReadIni(), kept + WrittenIni(0, 19, 2, 0, song));
}

// The second start looks for the dialog by its caption in the same form as
// the dialog was given it: wide text, or code page 932 bytes on 95/98.
TEST_P(WindowsVersionsDialog, ASecondStartWhileItIsOpenEndsAtOnce) {
  ASSERT_TRUE(Open());
  SaverFolder other;
  const SaverOutcome run = RunSaver(other, "/s", kEndsMs);
  EXPECT_TRUE(run.ended);
  EXPECT_TRUE(run.window_titles.empty());
  ClickCancel();
  EXPECT_TRUE(Closes());
}

// The form fills the pane with the window that paints the still, and lives
// as long as the pane. What the still looks like there is checked in-process
// (PreviewInPane, in the Wine tests): Wine does not put another process's
// child window on the screen, nor lets another process read it back.
TEST_P(WindowsVersions, ThePreviewFillsItsPaneAndEndsWithIt) {
  Pane pane(152, 112);
  SaverFolder folder;
  SaverProcess saver(folder, "/p " + pane.argument());
  const HWND form = ExpectPreviewFillsPane(pane, saver);
  ASSERT_TRUE(form);
  const HWND image = GetWindow(form, GW_CHILD);
  char image_class[64] = {};
  GetClassNameA(image, image_class, sizeof image_class);
  EXPECT_STREQ(image_class, "Velkaro_R_Img_Prev");
  const RECT form_rect = RectOf(form), image_rect = RectOf(image);
  EXPECT_TRUE(EqualRect(&form_rect, &image_rect));
  EXPECT_TRUE(IsWindowVisible(image));
  EXPECT_FALSE(saver.WaitForExit(500)) << "it lives on with the pane";
  pane.Destroy();
  EXPECT_TRUE(saver.WaitForExit(kEndsMs));
  EXPECT_EQ(saver.exit_code(), 0u);
}

INSTANTIATE_TEST_SUITE_P(, WindowsVersions, ::testing::Values(kWindows98, kWindows2000, kWindowsXp),
                         VersionName);
INSTANTIATE_TEST_SUITE_P(, WindowsVersionsDialog,
                         ::testing::Values(kWindows98, kWindows2000, kWindowsXp), VersionName);

}  // namespace
}  // namespace velkaro::testing
