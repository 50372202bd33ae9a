// A full-screen run of the real executable where DirectDraw cannot be had:
// the same picture through GDI over the whole screen, and a key ends it.
// Run at 24 bits with the other end-to-end tests and at 16 bits on a display
// of its own (e2e_depth16); the two-monitor run is in monitors_e2e_test.cpp.
#include <gtest/gtest.h>

#include <string>

#include "e2e/saver_driver.h"
#include "settings/window_titles.h"
#include "support/direct_draw_off_win32.h"
#include "support/saver_process_win32.h"
#include "support/screen_pixels_win32.h"

namespace velkaro::testing {
namespace {

// The share of pattern 14's blue among a grid of pixels of the rectangle.
double BlueShare(const RECT& rect) {
  const Pixels pixels = ScreenPixels(rect);
  int blue = 0, total = 0;
  for (int y = 0; y < pixels.height; y += 7)
    for (int x = 0; x < pixels.width; x += 7, ++total)
      blue += IsPatternFourteensBlue(pixels.at(x, y));
  return total ? double(blue) / total : 0;
}

TEST(WithoutDirectDraw, PatternFourteensBlueFillsTheScreenAndAKeyEnds) {
  DirectDrawOffForTheSaver no_direct_draw;
  ASSERT_EQ(DirectDrawFoundByTheSaver(), DirectDrawFound::kNoLibrary)
      << "Wine still gives Velkaro.scr its ddraw.dll";
  SaverFolder folder;
  folder.WriteIni(SettingsWithPattern(14));
  SaverProcess saver(folder, "/s");
  ASSERT_NE(saver.WaitForWindow(Wide(kSaverWindowTitle), kWindowShowsMs), nullptr);
  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  WaitUntil(
      [&] {
        return BlueShare({0, 0, cx, cy}) > 0.5 && BlueShare({cx / 2, cy / 2, cx, cy}) > 0.5;
      },
      kPictureShowsMs);
  // The whole screen, and its far quarter on its own: a picture left
  // unstretched in the top-left corner would show there as black.
  EXPECT_GT(BlueShare({0, 0, cx, cy}), 0.5);
  EXPECT_GT(BlueShare({cx / 2, cy / 2, cx, cy}), 0.5);
  EXPECT_FALSE(saver.WaitForExit(0));
  PressKey(VK_SPACE);
  EXPECT_TRUE(saver.WaitForExit(kEndsMs));
  EXPECT_EQ(saver.exit_code(), 0u);
}

}  // namespace
}  // namespace velkaro::testing
