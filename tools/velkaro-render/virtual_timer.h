#pragma once
// A window timer on the renderer's virtual clock. It is first due one
// interval after the start; when it fires its due time moves on by whole
// intervals past now, so ticks missed between two frames merge into one, as
// they do for window timers.
#include <cstdint>

namespace velkaro::render_tool {

class VirtualTimer {
 public:
  // An interval of 0 is a timer that stays disabled.
  explicit VirtualTimer(std::int64_t interval_ms) : interval_(interval_ms), due_(interval_ms) {}

  bool FiresAt(std::int64_t now_ms) {
    if (interval_ <= 0 || now_ms < due_) return false;
    due_ += ((now_ms - due_) / interval_ + 1) * interval_;
    return true;
  }

 private:
  std::int64_t interval_;
  std::int64_t due_;
};

}  // namespace velkaro::render_tool
