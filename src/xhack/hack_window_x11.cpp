#include "xhack/hack_window_x11.h"

#include <poll.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace velkaro::xhack {
namespace {

std::size_t Slot(SaverTimer timer) { return static_cast<std::size_t>(timer); }

}  // namespace

HackWindow::HackWindow(const HackWindowSetUp& set_up, XPresentation& presentation)
    : set_up_(set_up),
      presentation_(presentation),
      pacer_(FramePacer::WithPeriodMs(double(set_up.frame_period_us) / 1000.0)) {}

void HackWindow::ShowNormal() {
  if (set_up_.own_window) XMapWindow(set_up_.display, set_up_.window);
}

void HackWindow::ArmTimer(SaverTimer timer, std::uint32_t interval_ms) {
  timers_[Slot(timer)].emplace(interval_ms, std::int64_t(NowMs()));
}

void HackWindow::DisableTimer(SaverTimer timer) { timers_[Slot(timer)].reset(); }

bool HackWindow::TimerEnabled(SaverTimer timer) const {
  return timers_[Slot(timer)].has_value() && timers_[Slot(timer)]->enabled();
}

void HackWindow::Unload() { timers_ = {}; }

std::uint32_t HackWindow::TickCount() {
  // The wind only looks at differences of the tick count, which wraps as
  // the system's does.
  return static_cast<std::uint32_t>(std::int64_t(NowMs()));
}

double HackWindow::NowMs() const {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_)
      .count();
}

// A signal, the window's destruction and its close box ask for the end of
// the run as the system's close request does on Windows. The timers of a run
// that has just ended are gone with the unload, so none fires after it.
void HackWindow::DispatchPending(SaverInput& input) {
  XEvent event;
  // XPending also sends what is still buffered.
  while (XPending(set_up_.display) > 0) {
    XNextEvent(set_up_.display, &event);
    HandleEvent(event, input);
  }
  if (*set_up_.stop_signal) input.OnCloseRequest();
  FireDueTimers(input);
}

bool HackWindow::WaitForNextFrame() {
  const double now = NowMs();
  const double wait_ms = pacer_.MsUntilNextFrame(now);
  if (wait_ms <= 0) {
    pacer_.FrameStarts(NowMs());
    return true;
  }
  WaitForEvents(std::min(wait_ms, MsUntilNextTimer(now)));
  return false;
}

void HackWindow::HandleEvent(const XEvent& event, SaverInput& input) {
  if (event.xany.window != set_up_.window) return;
  switch (event.type) {
    case ConfigureNotify:
      presentation_.Resize(event.xconfigure.width, event.xconfigure.height);
      break;
    case DestroyNotify: input.OnCloseRequest(); break;
    case ClientMessage:
      if (set_up_.own_window && Atom(event.xclient.data.l[0]) == set_up_.delete_window)
        input.OnCloseRequest();
      break;
    default: break;
  }
}

// Each timer fires at most once per check, and a check comes after every
// wake-up, so a timer runs as often as its window timer would and ticks
// missed during a long frame merge into one.
void HackWindow::FireDueTimers(SaverInput& input) {
  const auto now = std::int64_t(NowMs());
  for (SaverTimer timer :
       {SaverTimer::Timer1, SaverTimer::Timer2, SaverTimer::Timer3, SaverTimer::Timer4}) {
    auto& slot = timers_[Slot(timer)];
    if (slot && slot->FiresAt(now)) input.OnTimer(timer);
  }
}

double HackWindow::MsUntilNextTimer(double now_ms) const {
  double soonest = std::numeric_limits<double>::infinity();
  for (const auto& timer : timers_) {
    if (timer && timer->enabled()) soonest = std::min(soonest, double(timer->due_ms()) - now_ms);
  }
  return std::max(soonest, 0.0);
}

// Sleeps until an X event arrives, the timeout passes or a signal comes in
// (the handler does not restart the call, so poll returns at once). A
// signal that comes just before the call is seen within 100 ms even when
// frames are far apart.
void HackWindow::WaitForEvents(double timeout_ms) {
  pollfd connection{ConnectionNumber(set_up_.display), POLLIN, 0};
  poll(&connection, 1, int(std::ceil(std::min(timeout_ms, 100.0))));
}

}  // namespace velkaro::xhack
