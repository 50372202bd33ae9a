// The burst and motion timers' animators: bursts and sweeps here, the
// spring pendulum and the looping curve in pendulum.cpp and curve.cpp.
#include "effects/animators.h"

#include <array>
#include <cstddef>

#include "effects/curve.h"
#include "effects/particles.h"
#include "effects/pendulum.h"
#include "effects/presets.h"

namespace velkaro {
namespace {

using Burst = BurstKind;
using Motion = MotionKind;

// Laid out by hand: one row a pattern, its number beside it.
// clang-format off
constexpr PatternAnimators EmitterBurstEvery(std::int32_t ms) { return {ms, Burst::Emitter, {}, Motion::None}; }
constexpr PatternAnimators Quiet() { return {}; }

constexpr std::array<PatternAnimators, PatternCount> kAnimators = {
    EmitterBurstEvery(2000),                        // 0
    EmitterBurstEvery(2000),                        // 1
    EmitterBurstEvery(100),                         // 2
    EmitterBurstEvery(2000),                        // 3
    EmitterBurstEvery(2000),                        // 4
    EmitterBurstEvery(2000),                        // 5
    EmitterBurstEvery(2000),                        // 6
    EmitterBurstEvery(2000),                        // 7
    Quiet(),                                        // 8
    EmitterBurstEvery(200),                         // 9
    PatternAnimators{200, Burst::DoubleSweep, {}, Motion::None},         // 10
    Quiet(),                                        // 11
    PatternAnimators{100, Burst::Pendulum, {}, Motion::None},            // 12
    PatternAnimators{1000, Burst::RandomPoint, {}, Motion::None},        // 13
    PatternAnimators{1000, Burst::RandomPoint, {}, Motion::None},        // 14
    PatternAnimators{1000, Burst::RandomPoint, {}, Motion::None},        // 15
    Quiet(),                                        // 16
    Quiet(),                                        // 17
    Quiet(),                                        // 18
    PatternAnimators{100, Burst::Pendulum, {}, Motion::None},            // 19
    PatternAnimators{100, Burst::RandomPoint, {}, Motion::None},         // 20
    PatternAnimators{1000, Burst::Emitter, 100, Motion::CurveStep},      // 21
    PatternAnimators{1000, Burst::Emitter, 100, Motion::CurveStep},      // 22
    PatternAnimators{800, Burst::RandomPointUpper, {}, Motion::None},    // 23
    PatternAnimators{50, Burst::HorizontalSweep, {}, Motion::None},      // 24
    PatternAnimators{200, Burst::DoubleSweep, 5000, Motion::BigBurst},   // 25
    EmitterBurstEvery(5000),                        // 26
    PatternAnimators{{}, Burst::None, 100, Motion::CurveStep},           // 27
};
// clang-format on

}  // namespace

PatternAnimators AnimatorsFor(int pattern) {
  if (pattern < 0 || pattern >= PatternCount) return Quiet();
  return kAnimators[std::size_t(pattern)];
}

void ApplyExtraStartValues(Engine& engine, std::uint32_t seconds_since_midnight) {
  if (const auto extra = ExtraStartValues(engine.Pattern_No)) {
    engine.EmitX = extra->EmitX;
    engine.EmitY = extra->EmitY;
    engine.SweepRight = extra->SweepRight;
    engine.SweepDown = extra->SweepDown;
  }
  switch (SetUpFor(engine.Pattern_No)) {
    case PatternSetUp::Pendulum: InitPendulum(engine, seconds_since_midnight); break;
    case PatternSetUp::Curve: InitCurve(engine); break;
    case PatternSetUp::None: break;
  }
}

// --- Bursts ------------------------------------------------------------------

namespace {

// Bounces between x 0..320 and y 120..240; the limit is reached before the
// direction turns, so the emitter sits on it for one tick.
void DoubleSweep(Engine& e) {
  if (e.SweepRight) {
    e.EmitX = e.EmitX + 2;
    if (e.EmitX >= 320) e.SweepRight = false;
  } else {
    e.EmitX = e.EmitX - 2;
    if (e.EmitX <= 0) e.SweepRight = true;
  }
  if (e.SweepDown) {
    e.EmitY = e.EmitY + 1;
    if (e.EmitY >= 240) e.SweepDown = false;
  } else {
    e.EmitY = e.EmitY - 1;
    if (e.EmitY <= 120) e.SweepDown = true;
  }
  LaunchBursts(e, 10, 0.5f);
}

void HorizontalSweep(Engine& e) {
  if (e.SweepRight) {
    e.EmitX = e.EmitX + 10;
    if (e.EmitX >= 320) e.SweepRight = false;
  } else {
    e.EmitX = e.EmitX - 10;
    if (e.EmitX <= 0) e.SweepRight = true;
  }
  LaunchBursts(e, 10, 0.5f);
}

void RandomPointBurst(Engine& e, std::int32_t rows) {
  e.EmitX = e.rng.next_below(320);
  e.EmitY = e.rng.next_below(rows);
  LaunchBursts(e, e.params.BurstCount, 1.0f);
}

// The emitter takes the point of the previous step, so it lags the model by
// one tick.
void PendulumBurst(Engine& e) {
  e.EmitX = e.PendX;
  e.EmitY = e.PendY;
  LaunchBursts(e, 10, 0.5f);
  StepPendulum(e);
}

}  // namespace

void PatternBurst(Engine& engine) {
  switch (AnimatorsFor(engine.Pattern_No).burst) {
    case BurstKind::Emitter: LaunchBursts(engine, engine.params.BurstCount, 1.0f); break;
    case BurstKind::DoubleSweep: DoubleSweep(engine); break;
    case BurstKind::Pendulum: PendulumBurst(engine); break;
    case BurstKind::RandomPoint: RandomPointBurst(engine, 240); break;
    case BurstKind::RandomPointUpper: RandomPointBurst(engine, 160); break;
    case BurstKind::HorizontalSweep: HorizontalSweep(engine); break;
    case BurstKind::None: break;
  }
}

// --- Motion ------------------------------------------------------------------

void PatternMotion(Engine& engine) {
  switch (AnimatorsFor(engine.Pattern_No).motion) {
    case MotionKind::BigBurst: LaunchBursts(engine, engine.params.BurstCount, 1.0f); break;
    case MotionKind::CurveStep:
      AdvanceCurve(engine);
      LaunchBursts(engine, 10, 0.5f);
      break;
    case MotionKind::None: break;
  }
}

}  // namespace velkaro
