// A full-screen run on a desktop of two monitors: a 1024 × 768 primary and
// an 800 × 600 monitor to its right, as the test environment lays them out
// when asked for two (monitors_test.sh).
#include <gtest/gtest.h>

#include <string>

#include "common/text_cp932.h"
#include "settings/window_titles.h"
#include "support/saver_process_win32.h"
#include "support/screen_pixels_win32.h"

namespace velkaro::testing {
namespace {

constexpr RECT kPrimary{0, 0, 1024, 768};
constexpr RECT kSecond{1024, 0, 1824, 600};
constexpr COLORREF kDesktopColour = RGB(255, 0, 255);  // shown by no pattern

constexpr DWORD kWindowShowsMs = 15000;
constexpr DWORD kEndsMs = 8000;

std::string SaverTitle() { return ToCp932(kSaverWindowTitle); }

std::string SettingsWithPattern(int pattern) {
  return "[Section]\r\n\xCA\xDF\xC0\xB0\xDD= " + std::to_string(pattern) + "\r\n";
}

// On any other layout these tests would prove nothing.
void ExpectTheTwoMonitorDisplay() {
  ASSERT_EQ(GetSystemMetrics(SM_CMONITORS), 2) << "run on the two-monitor test display";
  ASSERT_EQ(GetSystemMetrics(SM_XVIRTUALSCREEN), 0);
  ASSERT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), kSecond.right);
  ASSERT_EQ(GetSystemMetrics(SM_CYVIRTUALSCREEN), kPrimary.bottom);
}

// A window in a colour no pattern shows, over both monitors: the desktop
// with whatever was left open on it.
class OpenDesktop {
 public:
  OpenDesktop() {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = DefWindowProcA;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.hbrBackground = brush_;
    window_class.lpszClassName = "VelkaroTestDesktop";
    RegisterClassA(&window_class);
    window_ = CreateWindowExA(0, "VelkaroTestDesktop", "", WS_POPUP | WS_VISIBLE, 0, 0,
                              kSecond.right, kPrimary.bottom, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    UpdateWindow(window_);
  }
  ~OpenDesktop() {
    DestroyWindow(window_);
    DeleteObject(brush_);
  }
  OpenDesktop(const OpenDesktop&) = delete;
  OpenDesktop& operator=(const OpenDesktop&) = delete;

 private:
  HBRUSH brush_ = CreateSolidBrush(kDesktopColour);
  HWND window_ = nullptr;
};

struct MonitorLook {
  int desktop = 0;  // pixels still showing the desktop
  int blue = 0;     // pixels of pattern 14's blue background
  int total = 0;
};

MonitorLook LookOf(const RECT& monitor) {
  const Pixels pixels = ScreenPixels(monitor);
  MonitorLook look;
  for (int y = 0; y < pixels.height; y += 7)
    for (int x = 0; x < pixels.width; x += 7) {
      const std::uint32_t p = pixels.at(x, y);  // 0x00RRGGBB
      const int r = int(p >> 16), g = int(p >> 8) & 0xFF, b = int(p & 0xFF);
      ++look.total;
      if (p == 0xFF00FF) ++look.desktop;
      if (r <= 4 && g >= 60 && g <= 68 && b >= 250) ++look.blue;
    }
  return look;
}

TEST(TwoMonitors, BothMonitorsShowThePatternAndNoDesktopRemains) {
  ExpectTheTwoMonitorDisplay();
  OpenDesktop desktop;
  ASSERT_GT(LookOf(kSecond).desktop, 0) << "the stand-in desktop does not show";
  SaverFolder folder;
  folder.WriteIni(SettingsWithPattern(14));
  SaverProcess saver(folder, "/s");
  HWND window = saver.WaitForWindow(SaverTitle(), kWindowShowsMs);
  ASSERT_NE(window, nullptr);
  // The saver window itself keeps the primary screen, as on one monitor.
  RECT rect;
  GetWindowRect(window, &rect);
  EXPECT_TRUE(EqualRect(&rect, &kPrimary));
  Sleep(2500);
  for (const RECT& monitor : {kPrimary, kSecond}) {
    const MonitorLook look = LookOf(monitor);
    EXPECT_EQ(look.desktop, 0) << "desktop left showing at x " << monitor.left;
    // Pattern 14's background fills most of the picture.
    EXPECT_GT(look.blue, look.total / 2) << "monitor at x " << monitor.left;
  }
  EXPECT_FALSE(saver.WaitForExit(0));
}

TEST(TwoMonitors, AKeyOrAClickOnTheSecondMonitorEndsTheRunAndMovingThereDoesNot) {
  ExpectTheTwoMonitorDisplay();
  for (const bool click : {true, false}) {
    SaverFolder folder;
    folder.WriteIni(SettingsWithPattern(8));
    SetCursorPos(200, 200);
    SaverProcess saver(folder, "/s");
    ASSERT_NE(saver.WaitForWindow(SaverTitle(), kWindowShowsMs), nullptr);
    Sleep(500);
    // Over to the second monitor, and around on it.
    for (int step = 0; step < 12; ++step) MoveMouseBy(100, 10);
    POINT pointer;
    GetCursorPos(&pointer);
    EXPECT_GE(pointer.x, kSecond.left) << "the pointer did not reach the second monitor";
    EXPECT_FALSE(saver.WaitForExit(1500)) << "moving to the second monitor ended the run";
    if (click) {
      ClickMouse();
    } else {
      PressKey('A');
    }
    EXPECT_TRUE(saver.WaitForExit(kEndsMs)) << (click ? "click" : "key");
    EXPECT_EQ(saver.exit_code(), 0u);
  }
}

}  // namespace
}  // namespace velkaro::testing
