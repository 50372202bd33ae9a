// The burst and motion timers' animators: bursts, sweeps, the spring
// pendulum and the looping curve.
#include "effects/animators.h"

#include <array>
#include <cmath>
#include <cstddef>

#include "common/rounding.h"
#include "effects/presets.h"

namespace velkaro {
namespace {

using Burst = BurstKind;
using Motion = MotionKind;

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

// The constants the curve has always used, slightly below 2π and π/2 and
// close to π: the centre's floors depend on exactly these values.
constexpr double kCycTwoPi = 6.28318530717958;
constexpr double kCycHalfPi = 1.570796326794895;
constexpr double kCycPi = 3.14159265358979;

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
    case PatternSetUp::Pendulum:
      engine.InitPendulum(seconds_since_midnight);
      break;
    case PatternSetUp::Curve:
      engine.InitCurve();
      break;
    case PatternSetUp::None:
      break;
  }
}

std::int16_t Gcd(std::int16_t a, std::int16_t b) {
  if (a == 0) return b;
  b = std::int16_t(b % a);
  while (b != 0) {
    const std::int16_t rest = std::int16_t(a % b);
    a = b;
    b = rest;
  }
  return a;
}

// --- Bursts ------------------------------------------------------------------

void Engine::PatternBurst() {
  switch (AnimatorsFor(Pattern_No).burst) {
    case BurstKind::Emitter:
      LaunchBursts(params.BurstCount, 1.0f);
      break;
    case BurstKind::DoubleSweep:
      DoubleSweep();
      break;
    case BurstKind::Pendulum:
      PendulumBurst();
      break;
    case BurstKind::RandomPoint:
      RandomPointBurst(240);
      break;
    case BurstKind::RandomPointUpper:
      RandomPointBurst(160);
      break;
    case BurstKind::HorizontalSweep:
      HorizontalSweep();
      break;
    case BurstKind::None:
      break;
  }
}

void Engine::LaunchBursts(std::int32_t count, float speed) {
  for (std::int32_t n = 0; n < count; ++n) LaunchBurst(speed);
}

// Bounces between x 0..320 and y 120..240; the limit is reached before the
// direction turns, so the emitter sits on it for one tick.
void Engine::DoubleSweep() {
  if (SweepRight) {
    EmitX = EmitX + 2;
    if (EmitX >= 320) SweepRight = false;
  } else {
    EmitX = EmitX - 2;
    if (EmitX <= 0) SweepRight = true;
  }
  if (SweepDown) {
    EmitY = EmitY + 1;
    if (EmitY >= 240) SweepDown = false;
  } else {
    EmitY = EmitY - 1;
    if (EmitY <= 120) SweepDown = true;
  }
  LaunchBursts(10, 0.5f);
}

void Engine::HorizontalSweep() {
  if (SweepRight) {
    EmitX = EmitX + 10;
    if (EmitX >= 320) SweepRight = false;
  } else {
    EmitX = EmitX - 10;
    if (EmitX <= 0) SweepRight = true;
  }
  LaunchBursts(10, 0.5f);
}

void Engine::RandomPointBurst(std::int32_t rows) {
  EmitX = rng.next_below(320);
  EmitY = rng.next_below(rows);
  LaunchBursts(params.BurstCount, 1.0f);
}

// The emitter takes the point of the previous step, so it lags the model by
// one tick.
void Engine::PendulumBurst() {
  EmitX = PendX;
  EmitY = PendY;
  LaunchBursts(10, 0.5f);
  StepPendulum();
}

// --- Motion ------------------------------------------------------------------

void Engine::PatternMotion() {
  switch (AnimatorsFor(Pattern_No).motion) {
    case MotionKind::BigBurst:
      LaunchBursts(params.BurstCount, 1.0f);
      break;
    case MotionKind::CurveStep:
      CurveStep();
      break;
    case MotionKind::None:
      break;
  }
}

// Each step fails on its own and the rest goes on: a value that does not fit
// its integer target leaves that target as it was.
void Engine::CurveStep() {
  if (CycT >= CycEnd) {
    // One closed curve is complete: the next is drawn with a wider pen.
    CycPen = CycPen + 1;
    if (CycPen > 14) CycPen = 5;
    CycRatio = CycOuter / CycInner;
    CycSum = CycOuter + CycInner;
    const auto outer = nearest_as<std::int16_t>(CycOuter);
    const auto inner = nearest_as<std::int16_t>(CycInner);
    if (outer && inner) CycEnd = float(CycInner / Gcd(*outer, *inner) * kCycTwoPi);
    CycT = AnimStep;
  }
  MoveCurveCentre();
  EmitX = nearest_as<std::int32_t>(CycCX + Cyc_X(CycT)).value_or(EmitX);
  EmitY = nearest_as<std::int32_t>(CycCY + Cyc_Y(CycT)).value_or(EmitY);
  CycT = CycT + AnimStep;
  LaunchBursts(10, 0.5f);
}

// The centre runs once round a circle of radius W / 10 about (3W/10, H/2),
// then once the other way round the circle about (5W/10, H/2); the two touch
// at (4W/10, H/2), where the switch happens after 60 ticks each.
void Engine::MoveCurveCentre() {
  CycPhase = CycLeftLoop ? CycPhase + CycPhaseStep : CycPhase - CycPhaseStep;
  // The angle after the step and before the reset serves both coordinates.
  // The constants make cos or sin land just below 0 at some phases, where
  // the floor gives -1 (x at phase 60, y at 75 and -15); that is the path.
  const double ang = CycPhase * kCycTwoPi / 60 - kCycHalfPi;
  const double radius = double(W) / 10;
  if (CycLeftLoop) {
    CycCX = nearest_as<std::int32_t>(std::floor(radius * std::cos(ang)) + radius * 3).value_or(CycCX);
    if (CycPhase == 75) {
      CycPhase = 45;
      CycLeftLoop = false;
    }
  } else {
    CycCX = nearest_as<std::int32_t>(std::floor(radius * std::cos(ang)) + radius * 5).value_or(CycCX);
    if (CycPhase == -15) {
      CycPhase = 15;
      CycLeftLoop = true;
    }
  }
  CycCY = nearest_as<std::int32_t>(std::floor(radius * std::sin(ang)) + H / 2).value_or(CycCY);
}

float Engine::Cyc_X(float t) const {
  return float(kCycPi * (CycSum * std::cos(double(t)) + CycPen * std::cos(double(CycRatio * t))));
}

float Engine::Cyc_Y(float t) const {
  return float(kCycPi * (CycSum * std::sin(double(t)) + CycPen * std::sin(double(CycRatio * t))));
}

void Engine::InitCurve() {
  CycOuter = 20;
  CycInner = 7;
  CycPen = 5;
  CycRatio = float(20.0 / 7);
  CycSum = 27;
  CycEnd = float(7.0 / Gcd(20, 7) * kCycTwoPi);
  AnimStep = 0.25f;
  CycPhaseStep = 1;
  CycLeftLoop = true;
  CycPhase = 15;
}

// --- Pendulum ----------------------------------------------------------------

void Engine::InitPendulum(std::uint32_t seconds_since_midnight) {
  PendCX = std::int16_t(W / 2);
  PendCY = std::int16_t(H / 2);
  AnchorA = 1.0f;
  AnchorB = -1.0f;
  SpringKB = 1.0f;
  SpringKA = 1.0f;
  SpringLen = 0.2f;
  AnimStep = 0.02f;
  PendMass = 1.0f;
  rng.reseed(seconds_since_midnight);
  // Each value is 0..20 with a random sign, then tenths: -2.0 .. 2.0.
  const auto signed_tenths = [this] {
    float value = std::floor(rng.next() * 21);
    if (rng.next_below(2) == 0) value = -value;
    return value;
  };
  PendPX = signed_tenths();
  PendPY = signed_tenths();
  PendVX = signed_tenths();
  PendVY = signed_tenths();
  PendPX = PendPX / 10;
  PendPY = PendPY / 10;
  PendVX = PendVX / 10;
  PendVY = PendVY / 10;
  PendX = nearest_as<std::int16_t>(PendPX * 50 + PendCX).value_or(PendX);
  PendY = nearest_as<std::int16_t>(PendCY - PendPY * 50).value_or(PendY);
}

namespace {

// A spring's pull on the point towards its anchor: dx, dy lead from the
// point to the anchor and distance is their length. A slack spring (or a
// point exactly on its anchor, distance 0) pulls with 0, not with 0 / 0.
struct SpringPull {
  double x = 0;
  double y = 0;
};

SpringPull Pull(float dx, float dy, double distance, float rest_length, float stiffness) {
  const double force = distance > rest_length ? (distance - rest_length) * stiffness : 0.0;
  if (force == 0) return {};
  return {dx / distance * force, dy / distance * force};
}

}  // namespace

void Engine::StepPendulum() {
  // The squares and sums are float; the distances, forces and
  // accelerations double.
  const float to_b = AnchorB - PendPX;
  const double dB = std::sqrt(double(PendPY * PendPY + to_b * to_b));
  const SpringPull fb = Pull(to_b, -PendPY, dB, SpringLen, SpringKB);
  const float to_a = AnchorA - PendPX;
  const double dA = std::sqrt(double(to_a * to_a + PendPY * PendPY));
  const SpringPull fa = Pull(to_a, -PendPY, dA, SpringLen, SpringKA);
  const double ax = (fb.x + fa.x) / PendMass;
  const double ay = (fb.y + fa.y) / PendMass;
  // Semi-implicit Euler: the new velocity moves the point.
  PendVX = float(PendVX + ax * AnimStep);
  PendVY = float(PendVY + ay * AnimStep);
  PendPX = PendPX + AnimStep * PendVX;
  PendPY = PendPY + AnimStep * PendVY;
  PendX = nearest_as<std::int16_t>(PendPX * 50 + PendCX).value_or(PendX);
  PendY = nearest_as<std::int16_t>(PendCY - PendPY * 50).value_or(PendY);
}

}  // namespace velkaro
