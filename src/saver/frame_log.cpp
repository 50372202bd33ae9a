#include "saver/frame_log.h"

#include <cstdio>

namespace velkaro {

FrameLog::~FrameLog() {
  if (any_frame_ && frames_ > 0) WritePeriod(true);
}

void FrameLog::FramePresented(double now_ms) {
  if (!any_frame_) {
    any_frame_ = true;
    last_frame_ms_ = now_ms;
    period_ends_ms_ = now_ms + period_ms_;
    char line[64];
    std::snprintf(line, sizeof line, "first_frame_ms=%.1f", now_ms);
    write_line_(line);
    frames_ = 1;
    return;
  }
  // A period is closed by the first frame after it, so a stall that spans
  // the boundary is counted in the period it ends in.
  while (now_ms >= period_ends_ms_) {
    WritePeriod(false);
    period_ends_ms_ += period_ms_;
  }
  const double gap = now_ms - last_frame_ms_;
  last_frame_ms_ = now_ms;
  if (gap > max_gap_ms_) {
    max_gap_ms_ = gap;
    max_gap_ended_ms_ = now_ms;
  }
  if (gap > kStallMs) ++stalls_;
  ++frames_;
}

void FrameLog::WritePeriod(bool partial) {
  char line[160];
  std::snprintf(line, sizeof line,
                "period=%d frames=%llu max_gap_ms=%.1f gaps_over_100ms=%llu max_gap_at_ms=%.0f%s",
                period_, static_cast<unsigned long long>(frames_), max_gap_ms_,
                static_cast<unsigned long long>(stalls_), max_gap_ended_ms_,
                partial ? " partial" : "");
  write_line_(line);
  ++period_;
  frames_ = 0;
  max_gap_ms_ = 0;
  max_gap_ended_ms_ = 0;
  stalls_ = 0;
}

}  // namespace velkaro
