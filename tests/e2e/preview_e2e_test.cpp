// The preview as the Display Properties dialog sees it: a pane window of
// this test process, the real Velkaro.scr started with "/p <pane>", and what
// appears inside the pane.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "common/resource_ids.h"
#include "settings/window_titles.h"
#include "support/saver_process_win32.h"
#include "support/screen_pixels_win32.h"
#include "e2e/preview_pane.h"

namespace velkaro::testing {
namespace {

// The form fills the pane of either size and lives as long as the pane. What
// it shows there is checked in-process (PreviewInPane, in the Wine tests):
// Wine does not put another process's child window on the screen, so the
// screen here would show the pane's own colour.
TEST(Preview, TheFormFillsAStandardOrALargerPaneAndLivesWithIt) {
  const auto still = EmbeddedStill();
  ASSERT_TRUE(still) << "Velkaro.scr carries no preview still";
  EXPECT_EQ(still->width, 152);
  EXPECT_EQ(still->height, 112);
  for (const auto& [width, height, separator] :
       {std::tuple{152, 112, " "}, std::tuple{200, 150, ":"}}) {
    Pane pane(width, height);
    SaverFolder folder;
    SaverProcess saver(folder, std::string("/p") + separator + pane.argument());
    ASSERT_TRUE(ExpectPreviewFillsPane(pane, saver)) << width << " x " << height;
    EXPECT_FALSE(saver.WaitForExit(500)) << "it lives on with the pane";
  }
}

TEST(Preview, EndsWithinASecondOfThePaneBeingDestroyed) {
  Pane pane(152, 112);
  SaverFolder folder;
  SaverProcess saver(folder, "/p " + pane.argument());
  ASSERT_TRUE(ExpectPreviewFillsPane(pane, saver));
  pane.Destroy();
  EXPECT_TRUE(saver.WaitForExit(1000));
  EXPECT_EQ(saver.exit_code(), 0u);
}

TEST(Preview, WithoutAPaneToShowInEndsAtOnce) {
  std::string gone;
  {
    Pane pane(10, 10);
    gone = pane.argument();
  }
  for (const std::string& line :
       {std::string("/p 0"), std::string("/p"), std::string("/p "), std::string("/p x12"),
        std::string("/p 99999999999"), "/p " + gone}) {
    SaverFolder folder;
    const SaverOutcome run = RunSaver(folder, line, kAtOnceMs);
    EXPECT_TRUE(run.ended) << line;
    EXPECT_EQ(run.exit_code, 0u) << line;
    EXPECT_THAT(run.window_titles, ::testing::IsEmpty()) << line;
  }
}

TEST(Preview, StartsWhateverTheSettingsFile) {
  SaverFolder missing;
  SaverFolder garbled;
  garbled.WriteIni(std::string("\0\xFF\xFE[Section\r\n=\x81\x82", 12) + std::string(5000, 'x'));
  SaverFolder locked;
  locked.WriteIni("[Section]\r\n");
  HANDLE lock = CreateFileA(locked.ini().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  for (const SaverFolder* folder : {&missing, &garbled, &locked}) {
    Pane pane(152, 112);
    SaverProcess saver(*folder, "/p " + pane.argument());
    EXPECT_TRUE(ExpectPreviewFillsPane(pane, saver)) << folder->path();
  }
  CloseHandle(lock);
}

TEST(Preview, AnOpenSaverOrSettingsWindowKeepsThePreviewFromStarting) {
  for (const auto title : {kSaverWindowTitle, kSettingsWindowTitle}) {
    TitledWindow other(Wide(title));
    Pane pane(152, 112);
    SaverFolder folder;
    SaverProcess saver(folder, "/p " + pane.argument());
    EXPECT_TRUE(saver.WaitForExit(kAtOnceMs));
    EXPECT_EQ(GetWindow(pane.handle(), GW_CHILD), nullptr);
  }
}

}  // namespace
}  // namespace velkaro::testing
