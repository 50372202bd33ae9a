// A full-screen run on a desktop of two monitors: a 1024 × 768 primary and
// an 800 × 600 monitor to its right, as the test environment lays them out
// when asked for two (monitors_test.sh).
#include <gtest/gtest.h>

#include <string>

#include "e2e/saver_driver.h"
#include "settings/window_titles.h"
#include "support/direct_draw_off_win32.h"
#include "support/saver_process_win32.h"
#include "support/screen_pixels_win32.h"

namespace velkaro::testing {
namespace {

constexpr RECT kPrimary{0, 0, 1024, 768};
constexpr RECT kSecond{1024, 0, 1824, 600};
constexpr COLORREF kDesktopColour = RGB(255, 0, 255);  // shown by no pattern

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
    window_ =
        CreateWindowExA(0, "VelkaroTestDesktop", "", WS_POPUP | WS_VISIBLE, 0, 0, kSecond.right,
                        kPrimary.bottom, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
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
      ++look.total;
      if (p == 0xFF00FF) ++look.desktop;
      if (IsPatternFourteensBlue(p)) ++look.blue;
    }
  return look;
}

// Pattern 14's background over most of each monitor and no desktop left.
bool BothMonitorsShowPatternFourteen() {
  for (const RECT& monitor : {kPrimary, kSecond}) {
    const MonitorLook look = LookOf(monitor);
    if (look.desktop != 0 || look.blue <= look.total / 2) return false;
  }
  return true;
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
  WaitUntil([] { return BothMonitorsShowPatternFourteen(); }, kPictureShowsMs);
  for (const RECT& monitor : {kPrimary, kSecond}) {
    const MonitorLook look = LookOf(monitor);
    EXPECT_EQ(look.desktop, 0) << "desktop left showing at x " << monitor.left;
    // Pattern 14's background fills most of the picture.
    EXPECT_GT(look.blue, look.total / 2) << "monitor at x " << monitor.left;
  }
  EXPECT_FALSE(saver.WaitForExit(0));
}

// Where DirectDraw cannot be had, GDI draws the saver window's picture as
// well as the covers'.
TEST(TwoMonitors, WithoutDirectDrawBothMonitorsShowThePatternAndAKeyEnds) {
  ExpectTheTwoMonitorDisplay();
  DirectDrawOffForTheSaver no_direct_draw;
  ASSERT_EQ(DirectDrawFoundByTheSaver(), DirectDrawFound::kNoLibrary)
      << "Wine still gives Velkaro.scr its ddraw.dll";
  OpenDesktop desktop;
  SaverFolder folder;
  folder.WriteIni(SettingsWithPattern(14));
  SaverProcess saver(folder, "/s");
  ASSERT_NE(saver.WaitForWindow(SaverTitle(), kWindowShowsMs), nullptr);
  WaitUntil([] { return BothMonitorsShowPatternFourteen(); }, kPictureShowsMs);
  for (const RECT& monitor : {kPrimary, kSecond}) {
    const MonitorLook look = LookOf(monitor);
    EXPECT_EQ(look.desktop, 0) << "desktop left showing at x " << monitor.left;
    EXPECT_GT(look.blue, look.total / 2) << "monitor at x " << monitor.left;
  }
  PressKey(VK_SPACE);
  EXPECT_TRUE(saver.WaitForExit(kEndsMs));
  EXPECT_EQ(saver.exit_code(), 0u);
}

struct CoverSearch {
  DWORD process = 0;
  HWND found = nullptr;
};

BOOL CALLBACK CheckForCover(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<CoverSearch*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char name[32] = {};
  GetClassNameA(window, name, sizeof name);
  if (process != search.process || std::string(name) != "Velkaro_Cover") return TRUE;
  search.found = window;
  return FALSE;
}

// The window of the run over the second monitor.
HWND CoverOf(const SaverProcess& saver) {
  CoverSearch search{.process = saver.process_id()};
  EnumWindows(CheckForCover, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool CoversExactly(HWND cover, const RECT& area) {
  RECT rect{};
  return cover && GetWindowRect(cover, &rect) && EqualRect(&rect, &area);
}

TEST(TwoMonitors, AKeyOrAClickOnTheSecondMonitorEndsTheRunAndMovingThereDoesNot) {
  ExpectTheTwoMonitorDisplay();
  for (const bool click : {true, false}) {
    SaverFolder folder;
    folder.WriteIni(SettingsWithPattern(8));
    SetCursorPos(200, 200);
    SaverProcess saver(folder, "/s");
    ASSERT_NE(saver.WaitForWindow(SaverTitle(), kWindowShowsMs), nullptr);
    const HWND cover = CoverOf(saver);
    ASSERT_NE(cover, nullptr);
    RECT area;
    GetWindowRect(cover, &area);
    EXPECT_TRUE(EqualRect(&area, &kSecond));
    for (int step = 0; step < 12; ++step) MoveMouseBy(100, 10);
    EXPECT_FALSE(saver.WaitForExit(1500)) << "moving towards the second monitor ended the run";
    if (click) {
      // Wine confines the pointer to the primary monitor while DirectDraw
      // holds it in exclusive mode (Windows leaves the pointer free), so
      // the click is handed to the second monitor's window directly.
      PostMessageA(cover, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 300));
    } else {
      PressKey('A');
    }
    EXPECT_TRUE(saver.WaitForExit(kEndsMs)) << (click ? "click" : "key");
    EXPECT_EQ(saver.exit_code(), 0u);
  }
}

// The second monitor at another resolution for the scope of a test.
class SecondMonitorMode {
 public:
  SecondMonitorMode(DWORD width, DWORD height) {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    result_ = ChangeDisplaySettingsExA(kSecondDevice, &mode, nullptr, CDS_FULLSCREEN, nullptr);
  }
  ~SecondMonitorMode() { ChangeDisplaySettingsExA(kSecondDevice, nullptr, nullptr, 0, nullptr); }
  SecondMonitorMode(const SecondMonitorMode&) = delete;
  SecondMonitorMode& operator=(const SecondMonitorMode&) = delete;
  bool changed() const { return result_ == DISP_CHANGE_SUCCESSFUL; }

 private:
  static constexpr char kSecondDevice[] = "\\\\.\\DISPLAY2";
  LONG result_ = DISP_CHANGE_FAILED;
};

// The system tells every window of a change of resolution (WM_DISPLAYCHANGE).
// Windows does so when a monitor is plugged in or out as well; Wine 8 does
// not for a monitor that X adds or removes, so here the second monitor
// changes its resolution, and the Wine tests of the saver window add and
// remove monitors at the window's own monitor list.
TEST(TwoMonitors, TheCoverFollowsTheSecondMonitorToAnotherResolution) {
  ExpectTheTwoMonitorDisplay();
  SaverFolder folder;
  folder.WriteIni(SettingsWithPattern(14));
  SaverProcess saver(folder, "/s");
  ASSERT_NE(saver.WaitForWindow(SaverTitle(), kWindowShowsMs), nullptr);
  const HWND cover = CoverOf(saver);
  ASSERT_NE(cover, nullptr);
  {
    SecondMonitorMode smaller(640, 480);
    ASSERT_TRUE(smaller.changed());
    const RECT expected{1024, 0, 1664, 480};
    WaitUntil(
        [&] {
          const MonitorLook look = LookOf(expected);
          return CoversExactly(CoverOf(saver), expected) && look.blue > look.total / 2;
        },
        kPictureShowsMs);
    const HWND now = CoverOf(saver);
    ASSERT_NE(now, nullptr);
    RECT area;
    GetWindowRect(now, &area);
    EXPECT_TRUE(EqualRect(&area, &expected));
    const MonitorLook look = LookOf(expected);
    EXPECT_GT(look.blue, look.total / 2);
  }
  WaitUntil([&] { return CoversExactly(CoverOf(saver), kSecond); }, kPictureShowsMs);
  RECT area;
  GetWindowRect(CoverOf(saver), &area);
  EXPECT_TRUE(EqualRect(&area, &kSecond));
  EXPECT_FALSE(saver.WaitForExit(0)) << "the run ended with the change";
}

}  // namespace
}  // namespace velkaro::testing
