#pragma once
// One saver run in the page: the saver's own run on the page's window,
// presentation and time of day, with the page's music where it has a file.
// The page calls AnimationFrame from the browser's animation frames and
// passes on the input events; the rest is the saver's.
#include <cstdint>
#include <memory>
#include <span>

#include "saver/saver_run.h"
#include "settings/settings.h"
#include "web/web_music.h"
#include "web/web_options.h"
#include "web/web_presentation.h"
#include "web/web_window.h"

namespace velkaro::web {

class WebRun {
 public:
  // `music` plays its music file through the run, from the start to the
  // end; null for a silent run.
  explicit WebRun(const WebRunOptions& options, std::unique_ptr<WebMusic> music = nullptr);
  WebRun(const WebRun&) = delete;
  WebRun& operator=(const WebRun&) = delete;

  // Sets the run up; false when the pattern's palette mode is not one of
  // 0..5, and the run then never starts.
  bool Start();

  // The browser's animation frame at now_ms: the queued input and the
  // timers due, then a frame when one is due. True when the picture changed.
  bool AnimationFrame(double now_ms);

  void KeyDown(int key_code) { window_.QueueKeyDown(key_code); }
  void MouseButtonDown() { window_.QueueMouseButtonDown(); }
  // The page leaves full screen or is closed.
  void CloseRequest() { window_.QueueCloseRequest(); }

  bool running() const { return run_.running(); }
  // A replay with a last frame that has run it.
  bool held() const;
  std::int64_t frames() const { return window_.frames_started(); }
  int pattern() const { return settings_.Pattern_No; }
  // RGBA, 320 x 240.
  std::span<const std::uint8_t> Picture() const { return presentation_.Picture(); }

 private:
  class FixedTimeOfDay final : public SaverSystem {
   public:
    explicit FixedTimeOfDay(std::uint32_t seconds) : seconds_(seconds) {}
    std::uint32_t SecondsSinceMidnight() override { return seconds_; }

   private:
    std::uint32_t seconds_;
  };

  WebRunOptions options_;
  // Made before the run and gone after it, so that the run's end can stop it.
  std::unique_ptr<WebMusic> music_;
  Settings settings_;
  WebWindow window_;
  WebPresentation presentation_;
  FixedTimeOfDay time_of_day_;
  SaverRun run_;
};

}  // namespace velkaro::web
