#pragma once
// Paces the frame loop to a fixed rate. The effects were designed to be seen
// at a steady pace, and a loop that draws as fast as it can would run them
// many times too fast and keep a processor busy for as long as the saver
// runs. Between frames the loop waits, still handling window messages, until
// the next frame is due; a late frame is never waited for.
#include <cmath>
#include <cstdint>

namespace velkaro {

class FramePacer {
 public:
  explicit FramePacer(double frames_per_second) : period_ms_(1000.0 / frames_per_second) {}

  // Frames `period_ms` apart; a period of 0 never waits.
  static FramePacer WithPeriodMs(double period_ms) {
    FramePacer pacer(1);
    pacer.period_ms_ = period_ms;
    return pacer;
  }

  // A frame starts at now_ms (any monotonic millisecond clock). Frames that
  // keep up stay on a grid of whole periods; after a stall of more than one
  // period the grid starts again from now, so no burst of catch-up frames
  // follows.
  void FrameStarts(double now_ms) {
    if (!started_ || now_ms - next_due_ms_ >= period_ms_) next_due_ms_ = now_ms;
    next_due_ms_ += period_ms_;
    started_ = true;
  }

  // How long to wait from now_ms until the next frame is due; 0 when it is
  // due already.
  double MsUntilNextFrame(double now_ms) const {
    return started_ && next_due_ms_ > now_ms ? next_due_ms_ - now_ms : 0.0;
  }

  double period_ms() const { return period_ms_; }

  // A wait in whole milliseconds for a system wait that takes them: rounded
  // up, since a wait cut to 0 returns at once and the loop would spin
  // through the last fraction of every period.
  static std::uint32_t WholeMs(double wait_ms) {
    return wait_ms <= 0 ? 0 : std::uint32_t(std::ceil(wait_ms));
  }

 private:
  double period_ms_;
  double next_due_ms_ = 0;
  bool started_ = false;
};

}  // namespace velkaro
