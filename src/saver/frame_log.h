#pragma once
// An opt-in record of how steadily frames reach the screen, for measuring a
// long run from outside: the time from process start to the first presented
// frame, then once a period (a minute unless told otherwise) the number of
// frames, the longest gap between two presented frames (and when it ended)
// and how many gaps were longer than 100 ms. The lines
// go to whatever the writer does with them (the saver appends them to the
// file named by an environment variable); nothing is kept per frame.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace velkaro {

class FrameLog {
 public:
  using LineWriter = std::function<void(std::string_view line)>;

  static constexpr double kMinuteMs = 60000.0;
  static constexpr double kStallMs = 100.0;

  explicit FrameLog(LineWriter write_line, double period_ms = kMinuteMs)
      : write_line_(std::move(write_line)), period_ms_(period_ms > 0 ? period_ms : kMinuteMs) {}
  // The period in progress is written as a last, partial line.
  ~FrameLog();
  FrameLog(const FrameLog&) = delete;
  FrameLog& operator=(const FrameLog&) = delete;

  // A frame was presented at now_ms, on a clock whose zero is the process's
  // start.
  void FramePresented(double now_ms);

 private:
  void WritePeriod(bool partial);

  LineWriter write_line_;
  double period_ms_;
  bool any_frame_ = false;
  double last_frame_ms_ = 0;
  double period_ends_ms_ = 0;
  int period_ = 0;
  std::uint64_t frames_ = 0;
  double max_gap_ms_ = 0;
  double max_gap_ended_ms_ = 0;
  std::uint64_t stalls_ = 0;
};

}  // namespace velkaro
