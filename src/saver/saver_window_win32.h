#pragma once
// The saver's top-level window: borderless, captioned for the
// single-instance test, covering the primary screen, with a cover window
// over every other monitor, the four window timers of the run and the yield
// that dispatches its messages between frames.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "common/gdi_win32.h"
#include "common/window_win32.h"
#include "saver/frame_pacer.h"
#include "saver/monitor_cover_win32.h"
#include "saver/saver_ports.h"

namespace velkaro {

// What the window's messages turn into.
class SaverInput {
 public:
  virtual ~SaverInput() = default;
  virtual void OnKeyDown(int key_code) = 0;
  virtual void OnMouseButtonDown() = 0;
  virtual void OnTimer(SaverTimer timer) = 0;
  // Something asks the window to close (WM_CLOSE).
  virtual void OnCloseRequest() = 0;
  // The session is ending (WM_ENDSESSION).
  virtual void OnSessionEnd() = 0;
};

// Keys and mouse buttons, on whichever window of the run they arrive: true
// when `message` was one and went to `input`. Moving the mouse is none.
bool ForwardUserInput(SaverInput& input, UINT message, WPARAM wparam);

// Where the window learns the monitors of the desktop: the system's list,
// or a test's.
using MonitorSource = std::function<std::vector<Rect>()>;

class SaverWindow final : public Window {
 public:
  explicit SaverWindow(SaverInput& input, MonitorSource monitors = DisplayMonitors);
  ~SaverWindow() override;

  void ShowNormal();
  // SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE).
  void MakeTopmost();
  void ArmTimer(SaverTimer timer, std::uint32_t interval_ms);
  void DisableTimer(SaverTimer timer);
  bool TimerEnabled(SaverTimer timer) const;
  // Destroys the window (its timers and covers go with it).
  void Unload();

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

  // The frame loop's yield: dispatches every pending message, then waits
  // until the next frame is due, dispatching messages as they arrive. It
  // returns early once `running` turns false.
  void YieldUntilNextFrame(const bool& running);

 private:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void DispatchPending();
  double NowMs() const;
  // Puts the window over the primary screen and a cover over every other
  // monitor, as the desktop is laid out now.
  void FollowDisplayLayout();
  void ShowCovers();

  SaverInput& input_;
  MonitorSource monitors_;
  std::vector<std::unique_ptr<MonitorCover>> covers_;
  bool shown_ = false;
  bool timer_enabled_[5] = {};
  FramePacer pacer_{60};
  LARGE_INTEGER counter_frequency_{};
};

}  // namespace velkaro
