#include "saver/frame_log.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace velkaro {
namespace {

struct Recorded {
  std::vector<std::string> lines;
  std::unique_ptr<FrameLog> log =
      std::make_unique<FrameLog>([this](std::string_view line) { lines.emplace_back(line); });
  void Present(double from_ms, double to_ms, double step_ms) {
    for (double t = from_ms; t < to_ms; t += step_ms) log->FramePresented(t);
  }
};

TEST(FrameLog, WritesTheFirstFrameThenOneLinePerMinuteAndThePartialOneAtTheEnd) {
  Recorded r;
  r.Present(250, 250 + 60000, 20);  // 3000 frames in the first minute
  r.log->FramePresented(60250);     // closes it
  r.Present(60270, 90250, 20);
  r.log.reset();
  ASSERT_EQ(r.lines.size(), 3u);
  EXPECT_EQ(r.lines[0], "first_frame_ms=250.0");
  EXPECT_EQ(r.lines[1], "period=0 frames=3000 max_gap_ms=20.0 gaps_over_100ms=0 max_gap_at_ms=270");
  EXPECT_EQ(r.lines[2],
            "period=1 frames=1500 max_gap_ms=20.0 gaps_over_100ms=0 max_gap_at_ms=60250 partial");
}

TEST(FrameLog, CountsStallsInTheMinuteTheyEndIn) {
  Recorded r;
  r.log->FramePresented(0);
  r.log->FramePresented(100);     // exactly 100 ms is no stall
  r.log->FramePresented(250.5);   // 150.5 ms is one
  r.log->FramePresented(59990);   // a long one, still in minute 0
  r.log->FramePresented(185000);  // spans two minute boundaries
  r.log.reset();
  ASSERT_EQ(r.lines.size(), 5u);
  EXPECT_EQ(r.lines[1],
            "period=0 frames=4 max_gap_ms=59739.5 gaps_over_100ms=2 max_gap_at_ms=59990");
  EXPECT_EQ(r.lines[2], "period=1 frames=0 max_gap_ms=0.0 gaps_over_100ms=0 max_gap_at_ms=0");
  EXPECT_EQ(r.lines[3], "period=2 frames=0 max_gap_ms=0.0 gaps_over_100ms=0 max_gap_at_ms=0");
  EXPECT_EQ(r.lines[4],
            "period=3 frames=1 max_gap_ms=125010.0 gaps_over_100ms=1 max_gap_at_ms=185000 partial");
}

TEST(FrameLog, TakesAShorterPeriod) {
  std::vector<std::string> lines;
  {
    FrameLog log([&](std::string_view line) { lines.emplace_back(line); }, 1000);
    for (double t = 0; t <= 2000; t += 50) log.FramePresented(t);
  }
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1], "period=0 frames=20 max_gap_ms=50.0 gaps_over_100ms=0 max_gap_at_ms=50");
  EXPECT_EQ(lines[3],
            "period=2 frames=1 max_gap_ms=50.0 gaps_over_100ms=0 max_gap_at_ms=2000 partial");
}

TEST(FrameLog, WritesNothingWithoutAFrame) {
  Recorded r;
  r.log.reset();
  EXPECT_TRUE(r.lines.empty());
}

}  // namespace
}  // namespace velkaro
