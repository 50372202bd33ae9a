#pragma once
// The saver's top-level window: borderless, captioned for the
// single-instance test, covering the screen, with the four window timers of
// the run and the yield that dispatches its messages between frames.
#include <windows.h>

#include <cstdint>

#include "common/window_win32.h"
#include "saver/frame_pacer.h"
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

class SaverWindow final : public Window {
 public:
  explicit SaverWindow(SaverInput& input);
  ~SaverWindow() override;

  void ShowNormal();
  // SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE).
  void MakeTopmost();
  void ArmTimer(SaverTimer timer, std::uint32_t interval_ms);
  void DisableTimer(SaverTimer timer);
  bool TimerEnabled(SaverTimer timer) const;
  // Destroys the window (its timers go with it).
  void Unload();

  // The frame loop's yield: dispatches every pending message, then waits
  // until the next frame is due, dispatching messages as they arrive. It
  // returns early once `running` turns false.
  void YieldUntilNextFrame(const bool& running);

 private:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void DispatchPending();
  double NowMs() const;

  SaverInput& input_;
  bool timer_enabled_[5] = {};
  FramePacer pacer_{60};
  LARGE_INTEGER counter_frequency_{};
};

}  // namespace velkaro
