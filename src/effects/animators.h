#pragma once
// The pattern animators: which burst and motion each pattern has, at which
// timer intervals, the start values a pattern sets before its parameter
// string is scanned, and the timers' ticks themselves.
#include <cstdint>
#include <optional>

#include "effects/engine.h"

namespace velkaro {

// What a burst timer tick does.
enum class BurstKind : std::uint8_t {
  None,
  Emitter,           // BurstCount full-speed particles at the emitter
  DoubleSweep,       // emitter 2 px sideways and 1 px up or down, 10 half-speed
  Pendulum,          // emitter to the pendulum point, 10 half-speed, one step
  RandomPoint,       // emitter anywhere in 320 × 240, BurstCount full-speed
  RandomPointUpper,  // the same within the upper 160 rows
  HorizontalSweep,   // emitter 10 px sideways, 10 half-speed
};

// What a motion timer tick does.
enum class MotionKind : std::uint8_t {
  None,
  BigBurst,   // BurstCount full-speed particles at the emitter
  CurveStep,  // the emitter one step along the looping curve, 10 half-speed
};

// A pattern's two timers: an interval in milliseconds for each one the
// saver window enables, nothing for one that stays disabled.
struct PatternAnimators {
  std::optional<std::int32_t> burst_interval_ms;
  BurstKind burst = BurstKind::None;
  std::optional<std::int32_t> motion_interval_ms;
  MotionKind motion = MotionKind::None;

  bool operator==(const PatternAnimators&) const = default;
};

// The animators of pattern 0..27; none for any other number.
PatternAnimators AnimatorsFor(int pattern);

// The start values of engine.Pattern_No, set between choosing the pattern
// and the scan: the emitter point and sweep directions of patterns 10, 24, 25
// and 26, the pendulum of 12, 19 and 20 (which reseeds the generator from
// `seconds_since_midnight`) and the curve of 21, 22 and 27.
void ApplyExtraStartValues(Engine& engine, std::uint32_t seconds_since_midnight);

// The burst timer's tick for engine.Pattern_No.
void PatternBurst(Engine& engine);
// The motion timer's tick for engine.Pattern_No.
void PatternMotion(Engine& engine);

}  // namespace velkaro
