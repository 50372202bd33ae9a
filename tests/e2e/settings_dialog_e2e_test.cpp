// The settings dialog of the real executable, driven with real input under
// Wine: what it shows, and what it leaves in Velkaro.ini.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "settings_dialog/dialog_geometry.h"
#include "settings/window_titles.h"
#include "support/saver_process_win32.h"
#include "support/screen_pixels_win32.h"
#include "support/settings_file_bytes.h"
#include "e2e/settings_dialog_driver.h"

namespace velkaro::testing {
namespace {

// The test bed's window metrics: Wine's own, those of Windows 95 to 2000,
// unless the run asked for those of current Windows (scripts/test-env.sh).
bool CurrentWindowMetrics() {
  const char* metrics = std::getenv("VELKARO_WINDOW_METRICS");
  return metrics && std::string(metrics) == "current";
}

// What the system puts around a client area for the dialog's window style.
DialogFrame FrameOf(HWND window) {
  RECT outer{0, 0, 0, 0};
  AdjustWindowRectEx(&outer, DWORD(GetWindowLongA(window, GWL_STYLE)), FALSE,
                     DWORD(GetWindowLongA(window, GWL_EXSTYLE)));
  return {-outer.left, -outer.top, outer.right, outer.bottom};
}

TEST_F(SettingsDialogE2e, ShowsWithItsCaptionCentredAcrossAndAThirdDown) {
  ASSERT_TRUE(Open());
  RECT client{};
  GetClientRect(dialog_, &client);
  EXPECT_EQ(client.right, kBackgroundPanel.width());
  EXPECT_EQ(client.bottom, kBackgroundPanel.height());
  const DialogFrame frame = FrameOf(dialog_);
  RECT r{};
  GetWindowRect(dialog_, &r);
  const Rect expected =
      DialogWindowRect(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), frame);
  EXPECT_EQ(r.left, expected.left);
  EXPECT_EQ(r.top, expected.top);
  EXPECT_EQ(r.right - r.left, expected.width());
  EXPECT_EQ(r.bottom - r.top, expected.height());
  EXPECT_EQ(client_.x - r.left, frame.left);
  EXPECT_EQ(client_.y - r.top, frame.top);
  if (CurrentWindowMetrics()) {
    // A taller caption than the classic one, so the check above is not the
    // classic one again.
    EXPECT_GT(r.bottom - r.top, 494) << "the test bed's window metrics are the classic ones";
  } else {
    // The classic frame and caption: the panel plus 6 by 25 pixels.
    EXPECT_EQ(r.right - r.left, 611);
    EXPECT_EQ(r.bottom - r.top, 494);
  }
  EXPECT_EQ(GetWindow(dialog_, GW_OWNER), nullptr);
  ClickCancel();
  EXPECT_TRUE(Closes());
}

// The screen colour (0x00RRGGBB) of a row of the background gradient.
std::uint32_t GradientOnScreen(int row) {
  const std::uint32_t bgr = GradientColour(GradientLevels(kBackgroundPanel.height())[row]);
  return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

// The panel's last column and last row hold nothing but the gradient: seen
// on the screen, they show that no frame or caption covers the panel's edge.
TEST_F(SettingsDialogE2e, TheWholePanelShowsOnTheScreen) {
  ASSERT_TRUE(Open());
  const int width = kBackgroundPanel.width(), height = kBackgroundPanel.height();
  const Pixels shown = ScreenPixels({client_.x, client_.y, client_.x + width, client_.y + height});
  int wrong_right = 0, wrong_bottom = 0;
  for (int y = 0; y < height; ++y) wrong_right += shown.at(width - 1, y) != GradientOnScreen(y);
  for (int x = 0; x < width; ++x)
    wrong_bottom += shown.at(x, height - 1) != GradientOnScreen(height - 1);
  EXPECT_EQ(wrong_right, 0) << "pixels of the panel's right column that do not show it";
  EXPECT_EQ(wrong_bottom, 0) << "pixels of the panel's bottom row that do not show it";
  // Just past the panel the window's frame begins.
  const Pixels beyond = ScreenPixels(
      {client_.x + width, client_.y + height - 1, client_.x + width + 1, client_.y + height});
  EXPECT_NE(beyond.at(0, 0), GradientOnScreen(height - 1));
  ClickCancel();
  EXPECT_TRUE(Closes());
}

// The caption is wide text, so it reads right whatever the system's ANSI
// code page (1252 on the test bed, where its code page 932 bytes would read
// as other characters).
TEST_F(SettingsDialogE2e, ItsCaptionReadsInJapaneseUnderEveryCodePage) {
  ASSERT_TRUE(Open());
  EXPECT_EQ(Caption(dialog_), kJapaneseCaption);
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
  WaitPastDoubleClickTime();
  ClickRandomLabel();
  ClickSetting();
  ASSERT_TRUE(Closes());
  EXPECT_EQ(folder_.ReadIni(), WrittenIni(1, 0, 0, 0, ""));
}

TEST_F(SettingsDialogE2e, ADoubleClickOnTheRandomLabelTogglesItOnce) {
  ASSERT_TRUE(Open());
  DoubleClickAt(At(kRandomLabelRect, kPatternPanel));
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
  ASSERT_TRUE(ChooseFile(Wide(song)));
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
  ASSERT_TRUE(ChooseFile(song));
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

// A file the user may not change: the choice is the user's own from then on.
TEST_F(SettingsDialogE2e, SettingOnAReadOnlyFileSavesForTheUserAndLeavesTheFileAsItWas) {
  const NoUserSettings no_user_settings;
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
  bool ended = false;
  for (const DWORD start = GetTickCount(); !ended && GetTickCount() - start < kCloseMs;) {
    CollectOtherWindows(process_->process_id(), dialog_, others);
    ended = process_->WaitForExit(20);
  }
  ASSERT_TRUE(ended);
  EXPECT_EQ(process_->exit_code(), 0u);
  EXPECT_TRUE(others.empty()) << others.size() << " other window(s) showed";
  EXPECT_EQ(folder_.ReadIni(), bytes);
  EXPECT_NE(GetFileAttributesA(folder_.ini().c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  EXPECT_EQ(GetFileAttributesA((folder_.ini() + ".tmp").c_str()), INVALID_FILE_ATTRIBUTES)
      << "a staging copy was left behind";
  EXPECT_EQ(ReadFileBytes(UserSettingsFile()), WrittenIni(0, 11, 0, 0, ""));
}

// A file in the folder of this test program.
// Makes the shell open web addresses with a stand-in for the browser
// (velkaro_fake_browser, built beside this program) that only writes a line
// into a log for each start, and puts the system's browser back when the
// test ends.
class FakeBrowser {
 public:
  explicit FakeBrowser(std::string log) : log_(std::move(log)) {
    RegCreateKeyExA(HKEY_CLASSES_ROOT, kCommandKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                    nullptr);
    char old[1024] = {};
    DWORD size = sizeof old - 1;
    had_command_ = RegQueryValueExA(key_, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(old),
                                    &size) == ERROR_SUCCESS;
    old_command_ = old;
    SetCommand("\"" + BesideThisProgram("velkaro_fake_browser.exe") + "\" \"" + log_ + "\" \"%1\"");
  }
  ~FakeBrowser() {
    if (had_command_)
      SetCommand(old_command_);
    else
      RegDeleteValueA(key_, nullptr);
    RegCloseKey(key_);
    DeleteFileA(log_.c_str());
  }
  FakeBrowser(const FakeBrowser&) = delete;
  FakeBrowser& operator=(const FakeBrowser&) = delete;

  // The starts so far, one line each.
  int Starts() const {
    const std::string text = ReadFileText(log_);
    return int(std::count(text.begin(), text.end(), '\n'));
  }

 private:
  static constexpr char kCommandKey[] = "http\\shell\\open\\command";
  void SetCommand(const std::string& command) {
    RegSetValueExA(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   DWORD(command.size() + 1));
  }
  static std::string ReadFileText(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string text(4096, '\0');
    DWORD read = 0;
    ReadFile(file, text.data(), DWORD(text.size()), &read, nullptr);
    CloseHandle(file);
    text.resize(read);
    return text;
  }

  std::string log_;
  HKEY key_ = nullptr;
  bool had_command_ = false;
  std::string old_command_;
};

TEST_F(SettingsDialogE2e, ADoubleClickOnTheWebAddressStartsOneBrowser) {
  const FakeBrowser browser(folder_.path() + "\\browser.log");
  ASSERT_TRUE(Open());
  Click(At(kWebAddressRect));
  // The stand-in answers for the browser: a single click starts it once.
  WaitUntil([&] { return browser.Starts() >= 1; }, 10000, 100);
  ASSERT_EQ(browser.Starts(), 1);
  WaitPastDoubleClickTime();
  DoubleClickAt(At(kWebAddressRect));
  // Time for a second start that must not come.
  WaitUntil([&] { return browser.Starts() >= 3; }, 5000, 100);
  EXPECT_EQ(browser.Starts(), 2) << "a double click is one click";
  ClickCancel();
  EXPECT_TRUE(Closes());
}

TEST_F(SettingsDialogE2e, ASecondStartWhileItIsOpenEndsAtOnce) {
  ASSERT_TRUE(Open());
  for (const char* line : {"/p 1234", "/s", "/c"}) {
    SaverFolder other;
    const SaverOutcome run = RunSaver(other, line, 8000);
    EXPECT_TRUE(run.ended) << line;
    EXPECT_TRUE(run.window_titles.empty()) << line;
  }
  ClickCancel();
  EXPECT_TRUE(Closes());
}

}  // namespace
}  // namespace velkaro::testing
