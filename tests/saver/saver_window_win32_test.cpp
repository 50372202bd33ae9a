// The saver window over a desktop of several monitors that the test makes
// up: the covers it puts over them, how they follow a change of layout, and
// the input that reaches the run through them.
#include "saver/saver_window_win32.h"

#include <gtest/gtest.h>

#include <vector>

#include "common/geometry_win32.h"

namespace velkaro {
namespace {

struct CountingInput final : SaverInput {
  void OnKeyDown(int) override { ++keys; }
  void OnMouseButtonDown() override { ++clicks; }
  void OnTimer(SaverTimer) override {}
  void OnCloseRequest() override {}
  void OnSessionEnd() override {}
  int keys = 0;
  int clicks = 0;
};

Rect WindowArea(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return FromRECT(rect);
}

class SaverWindowMonitors : public ::testing::Test {
 protected:
  const std::int32_t cx = GetSystemMetrics(SM_CXSCREEN);
  const std::int32_t cy = GetSystemMetrics(SM_CYSCREEN);
  std::vector<Rect> layout{{0, 0, cx, cy}, {cx, 0, cx + 800, 600}};
  CountingInput input;
  SaverWindow window{[this] { return layout; }};
  SaverWindow::InputRoute route{window, input};

  void DisplayChanges(std::vector<Rect> new_layout) {
    layout = std::move(new_layout);
    SendMessageA(window.handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(cx, cy));
  }
};

TEST_F(SaverWindowMonitors, CoversFollowTheLayoutWhenTheDisplayChanges) {
  ASSERT_EQ(window.CoverWindows().size(), 1u);
  window.ShowNormal();
  window.MakeTopmost();
  const HWND first = window.CoverWindows()[0];
  EXPECT_EQ(WindowArea(first), (Rect{cx, 0, cx + 800, 600}));
  EXPECT_TRUE(IsWindowVisible(first));
  EXPECT_TRUE(GetWindowLongA(first, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_NE(GetActiveWindow(), first) << "a cover took the keys from the saver window";

  // The second monitor moves left of the primary and a third comes in above.
  const std::vector<Rect> moved = {{-1280, -256, 0, 768}, {0, -600, 800, 0}};
  DisplayChanges({{0, 0, cx, cy}, moved[0], moved[1]});
  EXPECT_FALSE(IsWindow(first));
  ASSERT_EQ(window.CoveredMonitors(), moved);
  for (std::size_t i = 0; i < moved.size(); ++i) {
    const HWND cover = window.CoverWindows()[i];
    EXPECT_EQ(WindowArea(cover), moved[i]);
    EXPECT_TRUE(IsWindowVisible(cover));
  }
  // The saver window keeps the primary screen throughout.
  EXPECT_EQ(WindowArea(window.handle()), (Rect{0, 0, cx, cy}));

  // A change that leaves the monitors as they were keeps the covers.
  const std::vector<HWND> kept = window.CoverWindows();
  DisplayChanges(layout);
  EXPECT_EQ(window.CoverWindows(), kept);

  DisplayChanges({{0, 0, cx, cy}});
  EXPECT_TRUE(window.CoverWindows().empty());
  for (HWND cover : kept) EXPECT_FALSE(IsWindow(cover));
}

TEST_F(SaverWindowMonitors, KeysAndButtonsOnACoverReachTheRunAndMovesDoNot) {
  const HWND cover = window.CoverWindows().at(0);
  SendMessageA(cover, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(input.keys + input.clicks, 0);
  EXPECT_EQ(SendMessageA(cover, WM_MOUSEACTIVATE, WPARAM(window.handle()), 0), MA_NOACTIVATE);
  SendMessageA(cover, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
  SendMessageA(cover, WM_KEYDOWN, 'A', 0);
  EXPECT_EQ(input.clicks, 1);
  EXPECT_EQ(input.keys, 1);
  // Unloading the run takes the covers with the window.
  window.Unload();
  EXPECT_FALSE(IsWindow(cover));
}

}  // namespace
}  // namespace velkaro
