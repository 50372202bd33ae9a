#pragma once
// The frame log of a real run: on when the environment variable
// VELKARO_FRAME_LOG names a file, which its lines are appended to; off, and
// costing one test per frame, otherwise. VELKARO_FRAME_LOG_PERIOD_S sets the
// period in whole seconds (a minute when unset).
#include <windows.h>

#include <memory>
#include <optional>

#include "common/kernel_handle_win32.h"
#include "saver/frame_log.h"

namespace velkaro {

class ProcessFrameLog {
 public:
  ProcessFrameLog();
  ProcessFrameLog(const ProcessFrameLog&) = delete;
  ProcessFrameLog& operator=(const ProcessFrameLog&) = delete;

  void FramePresented() {
    if (log_) log_->FramePresented(MsSinceProcessStart());
  }

 private:
  double MsSinceProcessStart() const;
  void Append(std::string_view line);

  // Declared before the log, so that the log writes its last, partial
  // period before the file is closed.
  KernelHandle file_;
  std::optional<FrameLog> log_;
  LARGE_INTEGER frequency_{};
  LARGE_INTEGER opened_at_{};
  double opened_ms_since_start_ = 0;
};

}  // namespace velkaro
