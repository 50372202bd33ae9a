#pragma once
// A pattern run without a window: the engine stepped frame by frame on a
// virtual clock, with the pattern's burst and motion timers firing as window
// timers would. velkaro-render, the artwork tool, the benchmarks and the
// tests all run patterns this way, so that their frames agree.
#include <cstdint>

#include "common/window_timer.h"
#include "effects/engine.h"
#include "effects/engine_setup.h"
#include "effects/palette.h"
#include "effects/random.h"

namespace velkaro {

// Frame k runs at k * 1000 / frames_per_second ms (whole milliseconds);
// after it the timers due then fire, the burst before the motion.
class PatternClock {
 public:
  using Step = void (*)(Engine&, std::uint32_t now_ms);

  PatternClock(int pattern, int frames_per_second);

  // The next frame through `step` (the production StepFrame unless told
  // otherwise), then the timers due.
  void Frame(Engine& engine, Step step = StepFrame);

  // The frames run so far.
  std::int64_t frame() const { return frame_; }

 private:
  int frames_per_second_;
  WindowTimer burst_;
  WindowTimer motion_;
  std::int64_t frame_ = 0;
};

// One pattern set up as the saver sets it up, from the generator's fixed
// start, on a 60 frames a second clock: what the benchmarks time and what the
// tests compare the production engine and the scalar forms on (at midnight),
// and the stills of the patterns (at noon).
struct PatternRun {
  explicit PatternRun(int pattern, int warm_up_frames = 0,
                      std::uint32_t seconds_since_midnight = 0);

  void Frame(PatternClock::Step step = StepFrame) { clock.Frame(engine, step); }

  Random random;
  Engine engine{random};
  PaletteTable PalLUT{};
  PatternClock clock;
};

// The stills of the patterns (the dialog's thumbnails, the web page's, the
// README's) are frames of runs set up at noon, the time of day that the
// pendulum patterns reseed from, so that every build makes the same pictures.
inline constexpr std::uint32_t kStillClockSeconds = 12 * 3600;

// The frame at which pattern 0..27 looks like itself: its flames risen, its
// fountain full, and for patterns whose look comes from bursts, shortly
// after one. 0 for any other pattern.
int ThumbnailFrame(int pattern);

}  // namespace velkaro
