#pragma once
// One run of a pattern, set up as the saver sets it up, with its burst and
// motion timers on a virtual 60 frames a second clock: what the benchmarks
// time and what the tests compare the production engine and the scalar
// forms on.
#include <cstdint>

#include "effects/animators.h"
#include "effects/engine.h"
#include "effects/engine_setup.h"
#include "effects/palette.h"
#include "effects/random.h"
#include "settings/settings.h"
#include "saver/window_timer.h"

namespace velkaro {

struct PatternRun {
  using Step = void (*)(Engine&, std::uint32_t now_ms);

  explicit PatternRun(int pattern, int warm_up_frames = 0) {
    settings.Pattern_No = static_cast<std::int16_t>(pattern);
    PalLUT = SetUpEngine(engine, settings.Rdm_Flag, settings.Pattern_No, {}).value_or(PaletteTable{});
    const auto animators = AnimatorsFor(pattern);
    burst = WindowTimer(animators.burst_interval_ms.value_or(0));
    motion = WindowTimer(animators.motion_interval_ms.value_or(0));
    for (int k = 0; k < warm_up_frames; ++k) Frame();
  }

  // The next frame, 1000 / 60 ms after the last, through `step` (the
  // production StepFrame unless told otherwise), then the timers due.
  void Frame(Step step = StepFrame) {
    const std::int64_t t = ++frame * 1000 / 60;
    step(engine, static_cast<std::uint32_t>(t));
    if (burst.FiresAt(t)) engine.PatternBurst();
    if (motion.FiresAt(t)) engine.PatternMotion();
  }

  Random random;
  Settings settings;
  Engine engine{random};
  PaletteTable PalLUT{};
  WindowTimer burst{0}, motion{0};
  std::int64_t frame = 0;
};

}  // namespace velkaro
