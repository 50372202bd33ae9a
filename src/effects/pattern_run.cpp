#include "effects/pattern_run.h"

#include <array>
#include <cstddef>

#include "effects/animators.h"
#include "effects/presets.h"

namespace velkaro {
namespace {

// Frames per pattern, picked by eye from the renderer's output. Patterns
// with a burst every 2 s (0, 1) or 5 s (25, 26) are caught 20 or 30 frames
// after one; the others are taken once their look has built up.
constexpr std::array<int, PatternCount> kThumbnailFrames = {
    140, 140, 240, 240, 240, 240, 240, 240, 240, 240,  // 0..9
    240, 240, 240, 330, 240, 240, 240, 240, 140, 140,  // 10..19
    240, 140, 240, 240, 240, 330, 330, 240,            // 20..27
};

WindowTimer TimerEvery(std::optional<std::int32_t> interval_ms) {
  return WindowTimer(interval_ms.value_or(0));
}

}  // namespace

PatternClock::PatternClock(int pattern, int frames_per_second)
    : frames_per_second_(frames_per_second),
      burst_(TimerEvery(AnimatorsFor(pattern).burst_interval_ms)),
      motion_(TimerEvery(AnimatorsFor(pattern).motion_interval_ms)) {}

void PatternClock::Frame(Engine& engine, Step step) {
  const std::int64_t now_ms = ++frame_ * 1000 / frames_per_second_;
  step(engine, static_cast<std::uint32_t>(now_ms));
  if (burst_.FiresAt(now_ms)) PatternBurst(engine);
  if (motion_.FiresAt(now_ms)) PatternMotion(engine);
}

PatternRun::PatternRun(int pattern, int warm_up_frames, std::uint32_t seconds_since_midnight)
    : clock(pattern, 60) {
  EngineSetUpOptions set_up;
  set_up.seconds_since_midnight = seconds_since_midnight;
  PalLUT =
      SetUpEngine(engine, 0, static_cast<std::int16_t>(pattern), set_up).value_or(PaletteTable{});
  for (int k = 0; k < warm_up_frames; ++k) Frame();
}

int ThumbnailFrame(int pattern) {
  if (pattern < 0 || pattern >= PatternCount) return 0;
  return kThumbnailFrames[std::size_t(pattern)];
}

}  // namespace velkaro
