#pragma once
// The saver window of the hack: the X window it draws into, as the saver
// run's window. Between frames it handles the X events, fires the pattern's
// timers as window timers would fire, and waits for the next frame; a
// signal, the window's destruction or its close box end the run there, as
// the system's close request ends the Windows saver.

#include <array>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <optional>

#include "common/window_timer.h"
#include "saver/frame_pacer.h"
#include "saver/saver_ports.h"
#include "xhack/x_presentation_x11.h"

// Xlib's macros (None, Bool, Status) would break the headers above, so it
// comes last.
#include <X11/Xlib.h>

namespace velkaro::xhack {

struct HackWindowSetUp {
  Display* display = nullptr;
  Window window = 0;
  bool own_window = false;  // made by the hack: mapped at the run's start
  Atom delete_window = 0;   // WM_DELETE_WINDOW, for a window of our own
  std::int64_t frame_period_us = 0;
  // Set by the SIGTERM and SIGINT handler.
  const volatile std::sig_atomic_t* stop_signal = nullptr;
};

class HackWindow final : public SaverWindowPort {
 public:
  // `presentation` follows the window's size.
  HackWindow(const HackWindowSetUp& set_up, XPresentation& presentation);

  // A window of our own is mapped; XScreenSaver's is shown already.
  void ShowNormal() override;
  void ArmTimer(SaverTimer timer, std::uint32_t interval_ms) override;
  void DisableTimer(SaverTimer timer) override;
  bool TimerEnabled(SaverTimer timer) const override;
  void DispatchPending(SaverInput& input) override;
  bool WaitForNextFrame() override;
  void Unload() override;
  std::uint32_t TickCount() override;

 private:
  double NowMs() const;
  void HandleEvent(const XEvent& event, SaverInput& input);
  void FireDueTimers(SaverInput& input);
  double MsUntilNextTimer(double now_ms) const;
  void WaitForEvents(double timeout_ms);

  HackWindowSetUp set_up_;
  XPresentation& presentation_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  FramePacer pacer_;
  // Indexed by SaverTimer's value, 1..4.
  std::array<std::optional<WindowTimer>, 5> timers_;
};

}  // namespace velkaro::xhack
