#pragma once
// The saver window of the page. The browser gives no loop of our own: it
// calls the page at every animation frame (60 or more a second), and between
// them delivers the input events. So the window's pump hands the queued
// input and the timers due to the run at an animation frame, and a frame is
// due when the saver's pacer says so, give or take a quarter period: an
// animation frame a little before the due time takes the frame rather than
// leaving it to the next one, a whole display refresh later.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "common/window_timer.h"
#include "saver/frame_pacer.h"
#include "saver/saver_ports.h"

namespace velkaro::web {

// The clock the run is timed by. Live: the browser's. Replay: the virtual
// clock of velkaro-render, on which frame k runs at k * 1000 / fps whole
// milliseconds and the timers due then fire after it, so that the frames
// do not depend on when the browser's animation frames come.
enum class WebClock { Live, Replay };

class WebWindow final : public SaverWindowPort {
 public:
  WebWindow(WebClock clock, std::int32_t frames_per_second);

  // The page's input events, handed to the run at the next dispatch.
  void QueueKeyDown(int key_code);
  void QueueMouseButtonDown();
  void QueueCloseRequest();

  // An animation frame of the browser at now_ms (its performance.now()).
  void AnimationFrameAt(double now_ms) { now_ms_ = now_ms; }

  bool shown() const { return shown_; }
  bool unloaded() const { return unloaded_; }
  std::int64_t frames_started() const { return frames_started_; }

  void ShowNormal() override { shown_ = true; }
  void ArmTimer(SaverTimer timer, std::uint32_t interval_ms) override;
  void DisableTimer(SaverTimer timer) override;
  bool TimerEnabled(SaverTimer timer) const override;
  // The queued input, then the timers due, each at most once.
  void DispatchPending(SaverInput& input) override;
  // Never waits: when no frame is due the page returns to the browser and
  // asks again at the next animation frame.
  bool WaitForNextFrame() override;
  void Unload() override;
  std::uint32_t TickCount() override;

 private:
  enum class Input { KeyDown, MouseButtonDown, CloseRequest };
  struct QueuedInput {
    Input kind;
    int key_code = 0;
  };

  std::int64_t ClockMs() const;

  WebClock clock_;
  std::int32_t frames_per_second_;
  FramePacer pacer_;
  double now_ms_ = 0;
  std::int64_t frames_started_ = 0;
  bool shown_ = false;
  bool unloaded_ = false;
  std::vector<QueuedInput> queued_;
  // Indexed by SaverTimer's value, 1..4.
  std::array<std::optional<WindowTimer>, 5> timers_;
};

}  // namespace velkaro::web
