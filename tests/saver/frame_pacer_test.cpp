#include "saver/frame_pacer.h"

#include <gtest/gtest.h>

namespace velkaro {
namespace {

TEST(FramePacer, FramesThatKeepUpStayOnTheGrid) {
  FramePacer pacer(60);
  pacer.FrameStarts(1000);
  EXPECT_NEAR(pacer.MsUntilNextFrame(1005), 1000.0 / 60 - 5, 1e-9);
  // A frame that starts a little late does not push the later ones back.
  pacer.FrameStarts(1000 + 1000.0 / 60 + 3);
  EXPECT_NEAR(pacer.MsUntilNextFrame(1020), 2 * 1000.0 / 60 - 20, 1e-9);
  // 60 frames started when due take one second.
  FramePacer paced(60);
  double now = 0;
  for (int frame = 0; frame < 60; ++frame) {
    paced.FrameStarts(now);
    now += 2;  // the frame's own work
    now += paced.MsUntilNextFrame(now);
  }
  EXPECT_NEAR(now, 1000, 1e-6);
}

TEST(FramePacer, NeverWaitsForALateFrame) {
  FramePacer pacer(60);
  EXPECT_EQ(pacer.MsUntilNextFrame(0), 0);  // before the first frame
  pacer.FrameStarts(0);
  EXPECT_EQ(pacer.MsUntilNextFrame(20), 0);
  EXPECT_EQ(pacer.MsUntilNextFrame(1000.0 / 60), 0);
}

TEST(FramePacer, APeriodOfNothingNeverWaits) {
  FramePacer pacer = FramePacer::WithPeriodMs(0);
  pacer.FrameStarts(10);
  EXPECT_EQ(pacer.MsUntilNextFrame(10), 0);
  FramePacer slow = FramePacer::WithPeriodMs(250);
  slow.FrameStarts(10);
  EXPECT_NEAR(slow.MsUntilNextFrame(60), 200, 1e-9);
}

TEST(FramePacer, StartsAFreshGridAfterAStallInsteadOfCatchingUp) {
  FramePacer pacer(60);
  pacer.FrameStarts(0);
  pacer.FrameStarts(500);  // a long stall, e.g. a modal prompt
  EXPECT_NEAR(pacer.MsUntilNextFrame(500), 1000.0 / 60, 1e-9);
}

TEST(FramePacer, WaitsWholeMillisecondsRoundedUpSoTheLoopNeverSpins) {
  EXPECT_EQ(FramePacer::WholeMs(0), 0u);
  EXPECT_EQ(FramePacer::WholeMs(-3), 0u);
  EXPECT_EQ(FramePacer::WholeMs(0.01), 1u);
  EXPECT_EQ(FramePacer::WholeMs(16), 16u);
  EXPECT_EQ(FramePacer::WholeMs(16.2), 17u);
}

}  // namespace
}  // namespace velkaro
