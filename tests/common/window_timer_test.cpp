#include "common/window_timer.h"

#include <gtest/gtest.h>

namespace velkaro {
namespace {

TEST(WindowTimer, FiresOncePerDueTimeAndMergesMissedTicks) {
  WindowTimer timer(100);
  EXPECT_FALSE(timer.FiresAt(99));
  EXPECT_TRUE(timer.FiresAt(100));
  EXPECT_FALSE(timer.FiresAt(150));
  EXPECT_TRUE(timer.FiresAt(450));  // 200, 300 and 400 merge into one tick
  EXPECT_FALSE(timer.FiresAt(499));
  EXPECT_TRUE(timer.FiresAt(500));

  WindowTimer disabled(0);
  EXPECT_FALSE(disabled.FiresAt(1'000'000));
}

TEST(WindowTimer, IsFirstDueOneIntervalAfterItWasArmed) {
  WindowTimer timer(200, 1000);
  EXPECT_EQ(timer.due_ms(), 1200);
  EXPECT_FALSE(timer.FiresAt(1199));
  EXPECT_TRUE(timer.FiresAt(1250));
  EXPECT_EQ(timer.due_ms(), 1400);  // the grid of the arming time, not of the late tick
}

}  // namespace
}  // namespace velkaro
