// A full-screen run of the real executable: the window it shows, what ends
// it and what does not.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "e2e/saver_driver.h"
#include "effects/presets.h"
#include "support/saver_process_win32.h"
#include "support/screen_pixels_win32.h"
#include "support/windows_version_win32.h"

namespace velkaro::testing {
namespace {

// The brightest of a few screen pixels around the middle.
int BrightestNearTheMiddle() {
  HDC screen = GetDC(nullptr);
  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  int brightest = 0;
  for (int y = cy / 4; y < cy; y += cy / 8)
    for (int x = cx / 8; x < cx; x += cx / 8) {
      const COLORREF c = GetPixel(screen, x, y);
      brightest = std::max(brightest, int(GetRValue(c)) + GetGValue(c) + GetBValue(c));
    }
  ReleaseDC(nullptr, screen);
  return brightest;
}

TEST(SaverRun, CoversTheScreenOnTopAndDrawsTheEffect) {
  SaverFolder folder;
  folder.WriteIni(SettingsWithPattern(0));
  SaverProcess saver(folder, "/s");
  HWND window = saver.WaitForWindow(SaverTitle(), kWindowShowsMs);
  ASSERT_NE(window, nullptr);
  RECT rect;
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(rect.bottom, GetSystemMetrics(SM_CYSCREEN));
  // The window shows first and is made topmost a moment later.
  WaitUntilRunning(window, 2000);
  EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(GetWindowLongA(window, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME));
  WaitUntil([] { return BrightestNearTheMiddle() > 300; }, kPictureShowsMs);
  EXPECT_GT(BrightestNearTheMiddle(), 300) << "the flames of pattern 0 should show";
  EXPECT_FALSE(saver.WaitForExit(0));
}

TEST(SaverRun, ThePaletteShowsItsFirstComponentAsBlue) {
  // Pattern 14's background is palette mode 1's index 0, which holds 255 in
  // its low byte: blue on a display whose low byte is blue.
  SaverFolder folder;
  folder.WriteIni(SettingsWithPattern(14));
  SaverProcess saver(folder, "/s");
  ASSERT_NE(saver.WaitForWindow(SaverTitle(), kWindowShowsMs), nullptr);
  WaitUntilTheScreenShowsPatternFourteen();
  const COLORREF most = MostCommonScreenColour();
  // A 16-bit display keeps 5 or 6 bits of each component, which reads back
  // a little off.
  EXPECT_LE(GetRValue(most), 4);
  EXPECT_NEAR(GetGValue(most), 64, 4);
  EXPECT_GE(GetBValue(most), 250);
}

TEST(SaverRun, EveryPatternRunsUntilAKey) {
  for (int pattern = 0; pattern < PatternCount; ++pattern) {
    SaverFolder folder;
    folder.WriteIni(SettingsWithPattern(pattern));
    SaverProcess saver(folder, "/s");
    ASSERT_NE(saver.WaitForWindow(SaverTitle(), kWindowShowsMs), nullptr) << pattern;
    EXPECT_FALSE(saver.WaitForExit(400)) << pattern;
    PressKey(VK_SPACE);
    EXPECT_TRUE(saver.WaitForExit(kEndsMs)) << pattern;
  }
}

// The lines of the frame log that VELKARO_FRAME_LOG asks for.
std::vector<std::string> FrameLogLines(const std::string& path) {
  std::vector<std::string> lines;
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return lines;
  char line[256];
  while (std::fgets(line, sizeof line, file)) {
    std::string text(line);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    lines.push_back(text);
  }
  std::fclose(file);
  return lines;
}

// Sets an environment variable for the processes this test starts.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const std::string& value) : name_(name) {
    SetEnvironmentVariableA(name, value.c_str());
  }
  ~ScopedVariable() { SetEnvironmentVariableA(name_, nullptr); }

 private:
  const char* name_;
};

TEST(SaverRun, TheFrameLogShowsALoopPacedToSixtyFramesASecond) {
  SaverFolder folder;
  folder.WriteIni(SettingsWithPattern(20));
  const std::string log = folder.path() + "\\frames.log";
  // The log is appended to, and a folder's name can come back in a later
  // run (Wine hands out process numbers anew with each wineserver).
  DeleteFileA(log.c_str());
  {
    ScopedVariable file("VELKARO_FRAME_LOG", log);
    ScopedVariable period("VELKARO_FRAME_LOG_PERIOD_S", "1");
    SaverProcess saver(folder, "/s");
    ASSERT_NE(saver.WaitForWindow(SaverTitle(), kWindowShowsMs), nullptr);
    // The first frame's line and two whole periods, before the end adds
    // the partial one.
    WaitUntil([&] { return FrameLogLines(log).size() >= 3; }, kPictureShowsMs, 100);
    PressKey(VK_SPACE);
    ASSERT_TRUE(saver.WaitForExit(kEndsMs));
  }
  const auto lines = FrameLogLines(log);
  DeleteFileA(log.c_str());
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines.front().rfind("first_frame_ms=", 0), 0u) << lines.front();
  EXPECT_NE(lines.back().find(" partial"), std::string::npos) << "the last period at the end";
  for (std::size_t k = 1; k + 1 < lines.size(); ++k) {
    unsigned period = 0, frames = 0;
    ASSERT_EQ(std::sscanf(lines[k].c_str(), "period=%u frames=%u", &period, &frames), 2)
        << lines[k];
    EXPECT_EQ(period, k - 1);
    // A loop that stopped waiting between frames would show hundreds.
    EXPECT_GT(frames, 0u) << lines[k];
    EXPECT_LE(frames, 62u) << lines[k];
  }
}

TEST(SaverRun, MovingTheMouseGoesOnAndAClickEnds) {
  SaverFolder folder;
  folder.WriteIni(SettingsWithPattern(8));
  SaverProcess saver(folder, "/s");
  ASSERT_NE(saver.WaitForWindow(SaverTitle(), kWindowShowsMs), nullptr);
  for (int step = 0; step < 10; ++step) MoveMouseBy(40, 25);
  EXPECT_FALSE(saver.WaitForExit(1500)) << "a mouse move ended the run";
  ClickMouse();
  EXPECT_TRUE(saver.WaitForExit(kEndsMs));
  EXPECT_EQ(saver.exit_code(), 0u);
}

TEST(SaverRun, AKeyEndsARunStartedWithOrWithoutTheShowMode) {
  for (const char* line : {"/s", ""}) {
    SaverFolder folder;
    folder.WriteIni(SettingsWithPattern(20));
    SaverProcess saver(folder, line);
    const HWND window = saver.WaitForWindow(SaverTitle(), kWindowShowsMs);
    ASSERT_NE(window, nullptr) << line;
    WaitUntilRunning(window);
    PressKey('A');
    EXPECT_TRUE(saver.WaitForExit(kEndsMs)) << line;
  }
}

TEST(SaverRun, WithoutCdMusicTheArrowsEndTheRunToo) {
  SaverFolder folder;
  folder.WriteIni(SettingsWithPattern(5));
  SaverProcess saver(folder, "/s");
  ASSERT_NE(saver.WaitForWindow(SaverTitle(), kWindowShowsMs), nullptr);
  PressKey(VK_LEFT);
  EXPECT_TRUE(saver.WaitForExit(kEndsMs));
}

TEST(SaverRun, WithTheCdChosenAndNoDriveTheArrowsChangeNothingAndTheRunGoesOn) {
  SaverFolder folder;
  folder.WriteIni(SettingsWithPattern(5) + "BGM\x8B\xE6\x95\xAA= 1\r\n");
  SaverProcess saver(folder, "/s");
  ASSERT_NE(saver.WaitForWindow(SaverTitle(), kWindowShowsMs), nullptr);
  PressKey(VK_LEFT);
  PressKey(VK_RIGHT);
  EXPECT_FALSE(saver.WaitForExit(1500));
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(saver.WaitForExit(kEndsMs));
}

// The key ends the run on the 95/98 path too, where the password library
// cannot be loaded. Both families end on a key, so the test first shows that
// the Windows 98 setting reaches Velkaro.scr.
TEST(SaverRun, OnWindows98WithoutThePasswordLibraryAKeyStillEnds) {
  PretendWindowsVersion windows98(kWindows98);
  ASSERT_EQ(VersionToldToTheSaver(), kWindows98.reported);
  SaverFolder folder;
  folder.WriteIni(SettingsWithPattern(8));
  SaverProcess saver(folder, "/s");
  const HWND window = saver.WaitForWindow(SaverTitle(), kWindowShowsMs);
  ASSERT_NE(window, nullptr);
  WaitUntilRunning(window);
  PressKey('Q');
  EXPECT_TRUE(saver.WaitForExit(kEndsMs));
}

// On the 95/98 path, the end of the session ends the run, as do a close
// request and a key (the password library is missing under Wine, and a
// missing library never keeps a run going).
TEST(SaverRun, OnWindows98TheEndOfTheSessionAndACloseRequestEndTheRun) {
  PretendWindowsVersion windows98(kWindows98);
  ASSERT_EQ(VersionToldToTheSaver(), kWindows98.reported);
  for (UINT message : {UINT(WM_ENDSESSION), UINT(WM_CLOSE)}) {
    SaverFolder folder;
    folder.WriteIni(SettingsWithPattern(8));
    SaverProcess saver(folder, "/s");
    HWND window = saver.WaitForWindow(SaverTitle(), kWindowShowsMs);
    ASSERT_NE(window, nullptr);
    WaitUntilRunning(window);
    PostMessageA(window, message, TRUE, 0);
    EXPECT_TRUE(saver.WaitForExit(kEndsMs)) << "message 0x" << std::hex << message;
  }
}

TEST(SaverRun, ASecondStartBesideARunningSaverEndsAtOnce) {
  SaverFolder folder;
  SaverProcess saver(folder, "/s");
  ASSERT_NE(saver.WaitForWindow(SaverTitle(), kWindowShowsMs), nullptr);
  SaverFolder other;
  SaverProcess second(other, "/s");
  EXPECT_TRUE(second.WaitForExit(kEndsMs));
  EXPECT_FALSE(saver.WaitForExit(0));
}

}  // namespace
}  // namespace velkaro::testing
