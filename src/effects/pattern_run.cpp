#include "effects/pattern_run.h"

#include "effects/animators.h"

namespace velkaro {
namespace {

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

PatternRun::PatternRun(int pattern, int warm_up_frames) : clock(pattern, 60) {
  PalLUT = SetUpEngine(engine, 0, static_cast<std::int16_t>(pattern), {}).value_or(PaletteTable{});
  for (int k = 0; k < warm_up_frames; ++k) Frame();
}

}  // namespace velkaro
