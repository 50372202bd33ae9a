// The settings dialog of the real executable, driven with real input under
// Wine: what it shows, and what it leaves in Velkaro.ini.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "settings_dialog/dialog_geometry.h"
#include "settings/window_titles.h"
#include "support/saver_process_win32.h"
#include "support/settings_file_bytes.h"
#include "e2e/settings_dialog_driver.h"

namespace velkaro::testing {
namespace {

TEST_F(SettingsDialogE2e, ShowsWithItsCaptionCentredAcrossAndAThirdDown) {
  ASSERT_TRUE(Open());
  RECT r{};
  GetWindowRect(dialog_, &r);
  const DialogRect expected =
      DialogWindowRect(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(r.left, expected.left);
  EXPECT_EQ(r.top, expected.top);
  EXPECT_EQ(r.right - r.left, 611);
  EXPECT_EQ(r.bottom - r.top, 494);
  EXPECT_EQ(GetWindow(dialog_, GW_OWNER), nullptr);
  ClickCancel();
  EXPECT_TRUE(Closes());
}

// The caption is wide text, so it reads right whatever the system's ANSI
// code page (1252 on the test bed, where its code page 932 bytes would read
// as other characters).
TEST_F(SettingsDialogE2e, ItsCaptionReadsInJapaneseUnderEveryCodePage) {
  ASSERT_TRUE(Open());
  wchar_t caption[64] = {};
  GetWindowTextW(dialog_, caption, 64);
  EXPECT_EQ(std::wstring(caption), L"Velkaro\u306E\u8A2D\u5B9A");  // Velkaroの設定
  ClickCancel();
  EXPECT_TRUE(Closes());
}

TEST_F(SettingsDialogE2e, AThumbnailThenSettingStoresThePatternWithRandomOff) {
  folder_.WriteIni("[Section]\r\n" + kRandomKey + "= 1\r\n");
  ASSERT_TRUE(Open());
  ClickThumbnail(19);
  ClickSetting();
  ASSERT_TRUE(Closes());
  EXPECT_EQ(folder_.ReadIni(), WrittenIni(0, 19, 0, 0, ""));
}

TEST_F(SettingsDialogE2e, OneToggleTicksRandomAndASecondUnticksIt) {
  ASSERT_TRUE(Open());
  ClickRandomLabel();
  ClickSetting();
  ASSERT_TRUE(Closes());
  EXPECT_EQ(folder_.ReadIni(), WrittenIni(1, 0, 0, 0, ""));

  ASSERT_TRUE(Open());
  ClickRandomLabel();
  ClickRandomLabel();
  ClickSetting();
  ASSERT_TRUE(Closes());
  EXPECT_EQ(folder_.ReadIni(), WrittenIni(1, 0, 0, 0, ""));
}

TEST_F(SettingsDialogE2e, TheRightButtonChoosesTheCdAndEnablesTheTrackList) {
  ASSERT_TRUE(Open());
  HWND track_list = FindChild(dialog_, "ComboBox");
  ASSERT_NE(track_list, nullptr);
  EXPECT_FALSE(IsWindowEnabled(track_list));
  PressMusicKind(1, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  EXPECT_TRUE(IsWindowEnabled(track_list));
  SetWindowTextA(track_list, "5");
  ClickSetting();
  ASSERT_TRUE(Closes());
  EXPECT_EQ(folder_.ReadIni(), WrittenIni(0, 0, 1, 5, ""));
}

TEST_F(SettingsDialogE2e, AMusicFileChoiceWithoutAFileStoresAnEmptyPath) {
  ASSERT_TRUE(Open());
  PressMusicKind(2, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
  ClickSetting();
  ASSERT_TRUE(Closes());
  EXPECT_EQ(folder_.ReadIni(), WrittenIni(0, 0, 2, 0, ""));
}

TEST_F(SettingsDialogE2e, AFileChosenInTheOpenDialogIsStored) {
  const std::string song = folder_.path() + "\\song.mp3";
  CloseHandle(CreateFileA(song.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  ASSERT_TRUE(Open());
  PressMusicKind(2, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
  Click(At(kFileButtonRect, kMusicPanel));
  // Found by its title as it reads under every code page.
  HWND chooser = process_->WaitForWindow(Wide("ﾌｧｲﾙを開く"), kShowMs);
  ASSERT_NE(chooser, nullptr);
  HWND name = FindChild(chooser, "Edit");
  ASSERT_NE(name, nullptr);
  SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(song.c_str()));
  PostMessageA(chooser, WM_COMMAND, IDOK, 0);
  Sleep(1500);
  ClickSetting();
  ASSERT_TRUE(Closes());
  EXPECT_EQ(folder_.ReadIni(), WrittenIni(0, 0, 2, 0, song));
}

// A name that the system's code page has no form for would reach the ANSI
// calls and the file mangled: it is not taken, and the old choice stays.
TEST_F(SettingsDialogE2e, AFileTheCodePageCannotNameKeepsTheOldChoice) {
  const std::string old_song = folder_.path() + "\\old.mp3";
  CloseHandle(CreateFileA(old_song.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  // s\u0101ng: neither code page 1252 nor 932 has the a with macron.
  const std::wstring song = Wide(folder_.path()) + L"\\s\u0101ng.mp3";
  CloseHandle(CreateFileW(song.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  folder_.WriteIni(WrittenIni(0, 0, 2, 0, old_song));
  ASSERT_TRUE(Open());
  Click(At(kFileButtonRect, kMusicPanel));
  HWND chooser = process_->WaitForWindow(Wide("ﾌｧｲﾙを開く"), kShowMs);
  ASSERT_NE(chooser, nullptr);
  HWND name = FindChild(chooser, "Edit");
  ASSERT_NE(name, nullptr);
  SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(song.c_str()));
  PostMessageW(chooser, WM_COMMAND, IDOK, 0);
  Sleep(1500);
  ClickSetting();
  ASSERT_TRUE(Closes());
  EXPECT_EQ(folder_.ReadIni(), WrittenIni(0, 0, 2, 0, old_song));
  DeleteFileW(song.c_str());
  DeleteFileA(old_song.c_str());
}

TEST_F(SettingsDialogE2e, CancelAfterSeveralChangesLeavesTheFileAsItWas) {
  const std::string bytes = "[Section]\r\n" + kPatternKey + "= 4\r\n; hand-written\r\n";
  folder_.WriteIni(bytes);
  ASSERT_TRUE(Open());
  ClickThumbnail(7);
  ClickRandomLabel();
  PressMusicKind(1, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
  ClickCancel();
  ASSERT_TRUE(Closes());
  EXPECT_EQ(folder_.ReadIni(), bytes);
}

TEST_F(SettingsDialogE2e, TheCloseCommandWritesNothing) {
  ASSERT_TRUE(Open());
  ClickThumbnail(3);
  PostMessageA(dialog_, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(Closes());
  EXPECT_EQ(folder_.ReadIni(), "");
}

struct OtherWindowSearch {
  DWORD process_id;
  HWND known;
  std::vector<HWND>* found;
};

BOOL CALLBACK CollectOtherWindow(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<OtherWindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search.process_id && window != search.known && IsWindowVisible(window) &&
      std::find(search.found->begin(), search.found->end(), window) == search.found->end())
    search.found->push_back(window);
  return TRUE;
}

// Clears a file's read-only attribute when the test ends, however it ends,
// so that the folder can be removed.
class ReadOnlyFile {
 public:
  explicit ReadOnlyFile(std::string path) : path_(std::move(path)) {
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_READONLY);
  }
  ~ReadOnlyFile() { SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL); }
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

 private:
  std::string path_;
};

TEST_F(SettingsDialogE2e, SettingOnAReadOnlyFileClosesQuietlyAndLeavesTheFileAsItWas) {
  const std::string bytes =
      "[Section]\r\n" + kPatternKey + "= 4\r\n" + kRandomKey + "= 1\r\n; kept by hand\r\n";
  folder_.WriteIni(bytes);
  const ReadOnlyFile read_only(folder_.ini());
  ASSERT_TRUE(Open());
  ClickThumbnail(11);
  ClickSetting();
  // Until the process ends, no window but the dialog may show: no message
  // box, no second window.
  std::vector<HWND> others;
  OtherWindowSearch search{process_->process_id(), dialog_, &others};
  bool ended = false;
  for (const DWORD start = GetTickCount(); !ended && GetTickCount() - start < kCloseMs;) {
    EnumWindows(CollectOtherWindow, reinterpret_cast<LPARAM>(&search));
    ended = process_->WaitForExit(20);
  }
  ASSERT_TRUE(ended);
  EXPECT_EQ(process_->exit_code(), 0u);
  EXPECT_TRUE(others.empty()) << others.size() << " other window(s) showed";
  EXPECT_EQ(folder_.ReadIni(), bytes);
  EXPECT_NE(GetFileAttributesA(folder_.ini().c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  EXPECT_EQ(GetFileAttributesA((folder_.ini() + ".tmp").c_str()), INVALID_FILE_ATTRIBUTES)
      << "a staging copy was left behind";
}

TEST_F(SettingsDialogE2e, ASecondStartWhileItIsOpenEndsAtOnce) {
  ASSERT_TRUE(Open());
  for (const char* line : {"/p 1234", "/s", "/c"}) {
    SaverFolder other;
    const SaverRun run = RunSaver(other, line, 8000);
    EXPECT_TRUE(run.ended) << line;
    EXPECT_TRUE(run.window_titles.empty()) << line;
  }
  ClickCancel();
  EXPECT_TRUE(Closes());
}

}  // namespace
}  // namespace velkaro::testing
