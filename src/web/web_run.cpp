#include "web/web_run.h"

#include <utility>

namespace velkaro::web {
namespace {

Settings SettingsOf(const WebRunOptions& options, const WebMusic* music) {
  Settings settings = music ? music->settings() : Settings{};
  settings.Pattern_No = std::int16_t(options.pattern);
  settings.Rdm_Flag = options.random ? 1 : 0;
  return settings;
}

}  // namespace

WebRun::WebRun(const WebRunOptions& options, std::unique_ptr<WebMusic> music)
    : options_(options),
      music_(std::move(music)),
      settings_(SettingsOf(options, music_.get())),
      window_(options.replay ? WebClock::Replay : WebClock::Live, options.fps),
      time_of_day_(options.clock_seconds),
      run_(settings_, SaverStart::ByHand,
           {window_, presentation_, time_of_day_, music_ ? &music_->player() : nullptr}) {
  if (options.seed) run_.SeedGenerator(*options.seed);
}

// A replay held at frame 0 shows the buffer as the set-up leaves it, as the
// renderer does.
bool WebRun::Start() {
  if (!run_.Start()) return false;
  const auto& bytes = run_.engine().FrameBuf.bytes();
  if (held()) presentation_.Present(IndexImage{bytes.data(), Engine::W, Engine::H});
  return true;
}

bool WebRun::AnimationFrame(double now_ms) {
  window_.AnimationFrameAt(now_ms);
  window_.DispatchPending(run_);
  if (!run_.running() || held() || !window_.WaitForNextFrame()) return false;
  run_.RunFrame();
  return true;
}

bool WebRun::held() const {
  return options_.frames && window_.frames_started() >= *options_.frames;
}

}  // namespace velkaro::web
