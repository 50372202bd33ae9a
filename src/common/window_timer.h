#pragma once
// A window timer on a millisecond clock of the caller's: the virtual clock
// that runs a pattern frame by frame (effects/pattern_run.h), or a real one
// where a window system gives no timers of its own. It is first due one
// interval after it was armed; when it fires its due time moves on by whole
// intervals past now, so ticks missed between two checks merge into one, as
// they do for window timers.
#include <cstdint>

namespace velkaro {

class WindowTimer {
 public:
  // An interval of 0 is a timer that stays disabled.
  explicit WindowTimer(std::int64_t interval_ms, std::int64_t armed_at_ms = 0)
      : interval_(interval_ms), due_(armed_at_ms + interval_ms) {}

  bool FiresAt(std::int64_t now_ms) {
    if (interval_ <= 0 || now_ms < due_) return false;
    due_ += ((now_ms - due_) / interval_ + 1) * interval_;
    return true;
  }

  bool enabled() const { return interval_ > 0; }
  // When it fires next (meaningless while disabled).
  std::int64_t due_ms() const { return due_; }

 private:
  std::int64_t interval_;
  std::int64_t due_;
};

}  // namespace velkaro
