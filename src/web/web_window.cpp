#include "web/web_window.h"

namespace velkaro::web {
namespace {

std::size_t Slot(SaverTimer timer) { return static_cast<std::size_t>(timer); }

}  // namespace

WebWindow::WebWindow(WebClock clock, std::int32_t frames_per_second)
    : clock_(clock), frames_per_second_(frames_per_second), pacer_(frames_per_second) {}

void WebWindow::QueueKeyDown(int key_code) { queued_.push_back({Input::KeyDown, key_code}); }

void WebWindow::QueueMouseButtonDown() { queued_.push_back({Input::MouseButtonDown}); }

void WebWindow::QueueCloseRequest() { queued_.push_back({Input::CloseRequest}); }

void WebWindow::ArmTimer(SaverTimer timer, std::uint32_t interval_ms) {
  timers_[Slot(timer)].emplace(interval_ms, ClockMs());
}

void WebWindow::DisableTimer(SaverTimer timer) { timers_[Slot(timer)].reset(); }

bool WebWindow::TimerEnabled(SaverTimer timer) const {
  return timers_[Slot(timer)].has_value() && timers_[Slot(timer)]->enabled();
}

// The input first, as a window's messages come before its timer ticks. A
// handler may end the run, whose unload removes the timers, so none fires
// after the end.
void WebWindow::DispatchPending(SaverInput& input) {
  std::vector<QueuedInput> delivered;
  delivered.swap(queued_);
  for (const QueuedInput& event : delivered) {
    switch (event.kind) {
      case Input::KeyDown: input.OnKeyDown(event.key_code); break;
      case Input::MouseButtonDown: input.OnMouseButtonDown(); break;
      case Input::CloseRequest: input.OnCloseRequest(); break;
    }
  }
  const std::int64_t now = ClockMs();
  for (SaverTimer timer :
       {SaverTimer::Timer1, SaverTimer::Timer2, SaverTimer::Timer3, SaverTimer::Timer4}) {
    auto& slot = timers_[Slot(timer)];
    if (slot && slot->FiresAt(now)) input.OnTimer(timer);
  }
}

bool WebWindow::WaitForNextFrame() {
  if (unloaded_ || pacer_.MsUntilNextFrame(now_ms_) > pacer_.period_ms() / 4) return false;
  pacer_.FrameStarts(now_ms_);
  ++frames_started_;
  return true;
}

void WebWindow::Unload() {
  timers_ = {};
  unloaded_ = true;
}

// The wind only looks at differences of the tick count, which wraps as the
// system's does.
std::uint32_t WebWindow::TickCount() { return static_cast<std::uint32_t>(ClockMs()); }

std::int64_t WebWindow::ClockMs() const {
  if (clock_ == WebClock::Replay) return frames_started_ * 1000 / frames_per_second_;
  return std::int64_t(now_ms_);
}

}  // namespace velkaro::web
