#include "saver/monitor_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace velkaro {
namespace {

using Rects = std::vector<Rect>;

Rects CoversOf(const std::vector<Rect>& monitors) {
  return PlanCoverage(monitors, 1024, 768).covers;
}

TEST(MonitorLayout, OneMonitorKeepsTheSaverWindowAloneOnThePrimaryScreen) {
  const Coverage coverage = PlanCoverage(Rects{{0, 0, 1024, 768}}, 1024, 768);
  EXPECT_EQ(coverage.saver_window, (Rect{0, 0, 1024, 768}));
  EXPECT_TRUE(coverage.covers.empty());
  // Without any monitor list the primary screen is still covered.
  EXPECT_EQ(PlanCoverage({}, 800, 600).saver_window, (Rect{0, 0, 800, 600}));
}

TEST(MonitorLayout, EveryOtherMonitorGetsACoverWhereverItLies) {
  const std::vector<Rect> monitors = {
      {0, 0, 1024, 768},      // primary
      {1024, 0, 1824, 600},   // right, smaller
      {-1280, -256, 0, 768},  // left and higher, taller
      {0, -1080, 1920, 0},    // above, wider
  };
  EXPECT_EQ(CoversOf(monitors),
            (Rects{{1024, 0, 1824, 600}, {-1280, -256, 0, 768}, {0, -1080, 1920, 0}}));
}

TEST(MonitorLayout, MirroredRepeatedAndEmptyMonitorsGetNoCover) {
  const std::vector<Rect> monitors = {
      {0, 0, 800, 600},        // a clone inside the primary screen
      {1024, 0, 1824, 600},    // to the right
      {1024, 0, 1824, 600},    // listed twice
      {1100, 100, 1500, 400},  // inside a covered monitor
      {2000, 0, 2000, 600},    // empty
      {3000, 500, 2900, 100},  // inverted
      {500, 0, 1500, 768},     // overlaps the primary: still needs covering
  };
  EXPECT_EQ(CoversOf(monitors), (Rects{{1024, 0, 1824, 600}, {500, 0, 1500, 768}}));
}

TEST(MonitorLayout, TheFrameFillsEachCoverFromItsOwnCorner) {
  EXPECT_EQ(CoverFrameRect({-1280, -256, 0, 768}), (Rect{0, 0, 1280, 1024}));
}

}  // namespace
}  // namespace velkaro
