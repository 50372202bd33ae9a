#pragma once
// The saver's top-level window: borderless, captioned for the
// single-instance test, covering the primary screen, with a cover window
// over every other monitor, the four window timers of the run and the pump
// that dispatches its messages between frames.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "common/gdi_win32.h"
#include "common/window_win32.h"
#include "saver/frame_pacer.h"
#include "saver/monitor_cover_win32.h"
#include "saver/saver_ports.h"

namespace velkaro {

// Keys and mouse buttons, which end a run on whichever of its windows they
// arrive. Moving the mouse is none.
bool IsUserInput(UINT message);

// Where the window learns the monitors of the desktop: the system's list,
// or a test's.
using MonitorSource = std::function<std::vector<Rect>()>;

class SaverWindow final : public Window, public SaverWindowPort {
 public:
  explicit SaverWindow(MonitorSource monitors = DisplayMonitors);
  ~SaverWindow() override;

  // The input the window's messages bring goes to `input` while a route
  // lives: the run's handlers can only run inside the pump (or a modal loop
  // that a handler opens), and the pump routes them for as long as it
  // dispatches. Outside every route the input goes nowhere; before its
  // frame loop a run would not act on it anyway.
  class InputRoute {
   public:
    InputRoute(SaverWindow& window, SaverInput& input)
        : window_(window), before_(std::exchange(window.input_, &input)) {}
    ~InputRoute() { window_.input_ = before_; }
    InputRoute(const InputRoute&) = delete;
    InputRoute& operator=(const InputRoute&) = delete;

   private:
    SaverWindow& window_;
    SaverInput* before_;
  };

  void ShowNormal() override;
  // SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE).
  void MakeTopmost();
  void ArmTimer(SaverTimer timer, std::uint32_t interval_ms) override;
  void DisableTimer(SaverTimer timer) override;
  bool TimerEnabled(SaverTimer timer) const override;
  // Dispatches every pending message, with `input` routed in.
  void DispatchPending(SaverInput& input) override;
  // Waits for any message, timer ticks included, so input stays as
  // responsive as it would be without the wait.
  bool WaitForNextFrame() override;
  // Destroys the window (its timers and covers go with it).
  void Unload() override;
  std::uint32_t TickCount() override { return GetTickCount(); }

  // Calls paint(dc, rect) for every monitor cover, with the cover's device
  // context and the rectangle in it that the frame is stretched over.
  template <typename Paint>
  void PaintCovers(Paint paint) {
    for (const auto& cover : covers_) {
      WindowDc dc(cover->handle());
      if (dc.get()) paint(dc.get(), CoverFrameRect(cover->area()));
    }
  }
  // The same for the saver window itself, where GDI draws the frame in
  // place of DirectDraw: its whole client area. Returns what paint returned,
  // false without a device context.
  template <typename Paint>
  bool PaintWindow(Paint paint) {
    RECT client{};
    if (!handle() || !GetClientRect(handle(), &client)) return false;
    WindowDc dc(handle());
    return dc.get() && paint(dc.get(), Rect{0, 0, client.right, client.bottom});
  }
  // The monitors covered beside the primary screen, in screen coordinates.
  std::vector<Rect> CoveredMonitors() const;
  // The cover windows, in the order of CoveredMonitors.
  std::vector<HWND> CoverWindows() const;

 private:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  double NowMs() const;
  // Puts the window over the primary screen and a cover over every other
  // monitor, as the desktop is laid out now.
  void FollowDisplayLayout();
  void ShowCovers();

  SaverInput* input_ = nullptr;
  MonitorSource monitors_;
  std::vector<std::unique_ptr<MonitorCover>> covers_;
  bool shown_ = false;
  bool timer_enabled_[5] = {};
  FramePacer pacer_{60};
  LARGE_INTEGER counter_frequency_{};
};

}  // namespace velkaro
