#include "web/web_still.h"

namespace velkaro::web {

PatternStill::PatternStill(int pattern)
    : run_(pattern, 0, kStillClockSeconds), last_frame_(ThumbnailFrame(pattern)) {
  presentation_.SetPalette(run_.PalLUT);
}

bool PatternStill::Advance(int frames) {
  for (int k = 0; k < frames && run_.clock.frame() < last_frame_; ++k) run_.Frame();
  const bool done = run_.clock.frame() >= last_frame_;
  if (done) {
    const auto& bytes = run_.engine.FrameBuf.bytes();
    presentation_.Present(IndexImage{bytes.data(), Engine::W, Engine::H});
  }
  return done;
}

}  // namespace velkaro::web
