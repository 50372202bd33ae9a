#include "effects/animators.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "effects/curve.h"
#include "effects/engine_setup.h"
#include "effects/particles.h"
#include "effects/pendulum.h"
#include "effects/presets.h"
#include "support/float_bits.h"

namespace velkaro {
namespace {

// An engine after the set-up of `pattern`: start values, a pool of
// `part_max` + 1 parked records and the tables.
struct EngineRun {
  explicit EngineRun(int pattern, std::int32_t part_max = 100, std::int32_t burst_count = 0,
                     std::uint32_t seconds = 0)
      : engine(random) {
    EngineSetUpOptions set_up;
    set_up.seconds_since_midnight = seconds;
    set_up.params_given = EngineParams{};
    set_up.params_given->PartMax = part_max;
    set_up.params_given->BurstCount = burst_count;
    set_up.fill_noise = false;
    auto Pattern_No = std::int16_t(pattern);
    SetUpEngine(engine, 0, Pattern_No, set_up);
  }
  Random random;
  Engine engine;
};

TEST(AnimatorTable, IntervalsAndKinds) {
  EXPECT_EQ(AnimatorsFor(0), (PatternAnimators{2000, BurstKind::Emitter, {}, MotionKind::None}));
  EXPECT_EQ(AnimatorsFor(2), (PatternAnimators{100, BurstKind::Emitter, {}, MotionKind::None}));
  EXPECT_EQ(AnimatorsFor(8), PatternAnimators{});
  EXPECT_EQ(AnimatorsFor(20),
            (PatternAnimators{100, BurstKind::RandomPoint, {}, MotionKind::None}));
  EXPECT_EQ(AnimatorsFor(21),
            (PatternAnimators{1000, BurstKind::Emitter, 100, MotionKind::CurveStep}));
  EXPECT_EQ(AnimatorsFor(23),
            (PatternAnimators{800, BurstKind::RandomPointUpper, {}, MotionKind::None}));
  EXPECT_EQ(AnimatorsFor(25),
            (PatternAnimators{200, BurstKind::DoubleSweep, 5000, MotionKind::BigBurst}));
  EXPECT_EQ(AnimatorsFor(27), (PatternAnimators{{}, BurstKind::None, 100, MotionKind::CurveStep}));
  EXPECT_EQ(AnimatorsFor(28), PatternAnimators{});
  EXPECT_EQ(AnimatorsFor(-1), PatternAnimators{});
  // A timer is armed exactly when its tick does something.
  for (int pattern = 0; pattern < PatternCount; ++pattern) {
    const PatternAnimators a = AnimatorsFor(pattern);
    EXPECT_EQ(a.burst_interval_ms.has_value(), a.burst != BurstKind::None) << pattern;
    EXPECT_EQ(a.motion_interval_ms.has_value(), a.motion != MotionKind::None) << pattern;
  }
}

TEST(StartValues, EmitterAndSweepsOfTheMovingPatterns) {
  struct Case {
    int pattern;
    std::int32_t x, y;
    bool right, down;
  };
  for (const Case c : {Case{10, 160, 120, true, true}, Case{24, 160, 240, true, false},
                       Case{25, 160, 120, true, true}, Case{26, 160, 120, false, false},
                       Case{0, 0, 0, false, false}}) {
    EngineRun run(c.pattern);
    EXPECT_EQ(run.engine.EmitX, c.x) << c.pattern;
    EXPECT_EQ(run.engine.EmitY, c.y) << c.pattern;
    EXPECT_EQ(run.engine.SweepRight, c.right) << c.pattern;
    EXPECT_EQ(run.engine.SweepDown, c.down) << c.pattern;
  }
}

TEST(StartValues, PendulumAndCurveSetUps) {
  for (int pattern : {12, 19, 20}) {
    EngineRun run(pattern, 100, 0, 43200);
    EXPECT_EQ(run.engine.AnimStep, 0.02f) << pattern;
    EXPECT_EQ(run.engine.PendCX, 162);
    EXPECT_EQ(run.engine.PendCY, 122);
  }
  for (int pattern : {21, 22, 27}) {
    EngineRun run(pattern);
    EXPECT_EQ(run.engine.AnimStep, 0.25f) << pattern;
    EXPECT_EQ(run.engine.CycPen, 5.0f);
  }
  EngineRun plain(5);
  EXPECT_EQ(plain.engine.AnimStep, 0.0f);
}

TEST(LaunchBurst, PlacesAroundTheEmitterAndKeepsTheRecordsFade) {
  EngineRun run(0, 3);
  Engine& e = run.engine;
  e.EmitX = 100;
  e.EmitY = 50;
  e.Particles[1].fade = 0.7f;
  Random twin = run.random;
  LaunchBurst(e, 0.5f);
  const auto a = std::size_t(std::floor(twin.next() * 360.0f));
  const float x = std::floor(twin.next() * 8.0f) - 4 + 100;
  EXPECT_EQ(e.NextPart, 1);
  EXPECT_EQ(e.Particles[1], (Particle{x, 50, e.CosTab[a] * 0.5f, e.SinTab[a] * 0.5f, 255, 0.7f}));
  EXPECT_EQ(Random(run.random).next(), twin.next()) << "two draws per burst particle";

  std::int32_t lo = 1000, hi = -1000;
  for (int n = 0; n < 2000; ++n) {
    LaunchBurst(e, 1.0f);
    lo = std::min(lo, std::int32_t(e.Particles[std::size_t(e.NextPart)].x));
    hi = std::max(hi, std::int32_t(e.Particles[std::size_t(e.NextPart)].x));
  }
  EXPECT_EQ(lo, 96);
  EXPECT_EQ(hi, 103);
}

TEST(LaunchBurst, NeverLaunchedRecordsDoNotFade) {
  // Pattern 14 launches nothing continuously: its bursts keep colour 255.
  EngineRun run(14, 300, 200);
  Engine& e = run.engine;
  PatternBurst(e);
  EXPECT_EQ(e.NextPart, 200);
  for (int step = 0; step < 50; ++step) ASSERT_TRUE(animPart(e));
  EXPECT_EQ(e.Particles[1].col, 255.0f);
  EXPECT_EQ(e.Particles[200].col, 255.0f);
}

TEST(PatternBurst, RandomPointBurstsStayInTheirArea) {
  for (const auto& [pattern, rows] : {std::pair{13, 240}, std::pair{23, 160}}) {
    EngineRun run(pattern, 10, 1);
    Engine& e = run.engine;
    std::int32_t x_hi = 0, y_hi = 0, x_lo = 1000, y_lo = 1000;
    for (int tick = 0; tick < 5000; ++tick) {
      PatternBurst(e);
      x_lo = std::min(x_lo, e.EmitX);
      y_lo = std::min(y_lo, e.EmitY);
      x_hi = std::max(x_hi, e.EmitX);
      y_hi = std::max(y_hi, e.EmitY);
    }
    EXPECT_EQ(x_lo, 0);
    EXPECT_EQ(y_lo, 0);
    EXPECT_EQ(x_hi, 319) << pattern;
    EXPECT_EQ(y_hi, rows - 1) << pattern;
  }
}

TEST(PatternBurst, EmitterBurstAndQuietPatterns) {
  EngineRun burst(26, 500, 200);
  PatternBurst(burst.engine);
  EXPECT_EQ(burst.engine.NextPart, 200);
  EXPECT_EQ(burst.engine.Particles[200].y, 120.0f);

  EngineRun quiet(8, 500, 200);
  Random untouched;
  PatternBurst(quiet.engine);
  PatternMotion(quiet.engine);
  EXPECT_EQ(quiet.engine.NextPart, 0);
  EXPECT_EQ(quiet.random.next(), untouched.next());

  EngineRun big(25, 500, 200);
  PatternMotion(big.engine);
  EXPECT_EQ(big.engine.NextPart, 200);
}

TEST(Sweep, HorizontalTurnsAfterSixteenTicks) {
  EngineRun run(24, 500);
  Engine& e = run.engine;
  for (int tick = 1; tick <= 16; ++tick) {
    ASSERT_TRUE(e.SweepRight) << tick;
    PatternBurst(e);
  }
  EXPECT_EQ(e.EmitX, 320);
  EXPECT_FALSE(e.SweepRight);
  EXPECT_EQ(e.NextPart, 16 * 10);
  PatternBurst(e);
  EXPECT_EQ(e.EmitX, 310);
  EXPECT_EQ(e.EmitY, 240);
  // Then down to 0 in 31 ticks, where it turns again.
  for (int tick = 0; tick < 31; ++tick) PatternBurst(e);
  EXPECT_EQ(e.EmitX, 0);
  EXPECT_TRUE(e.SweepRight);
  PatternBurst(e);
  EXPECT_EQ(e.EmitX, 10);
}

TEST(Sweep, DoubleSweepBouncesBetweenRows120And240) {
  EngineRun run(10);
  Engine& e = run.engine;
  for (int tick = 0; tick < 120; ++tick) PatternBurst(e);
  EXPECT_EQ(e.EmitY, 240);
  EXPECT_FALSE(e.SweepDown);
  // Meanwhile x went 160 → 320 in 80 ticks and back 40 ticks.
  EXPECT_EQ(e.EmitX, 240);
  EXPECT_FALSE(e.SweepRight);
  for (int tick = 0; tick < 120; ++tick) PatternBurst(e);
  EXPECT_EQ(e.EmitY, 120);
  EXPECT_TRUE(e.SweepDown);
  PatternBurst(e);
  EXPECT_EQ(e.EmitY, 121);
}

TEST(Gcd, EuclidAndZero) {
  EXPECT_EQ(Gcd(20, 7), 1);
  EXPECT_EQ(Gcd(7, 20), 1);
  EXPECT_EQ(Gcd(12, 18), 6);
  EXPECT_EQ(Gcd(18, 12), 6);
  EXPECT_EQ(Gcd(5, 0), 5);
  EXPECT_EQ(Gcd(0, 5), 5);
}

TEST(Curve, SetUpValuesAndTheCurveAtZero) {
  EngineRun run(21);
  const Engine& e = run.engine;
  EXPECT_EQ(FloatBits(e.CycEnd), 0x422FEDDFu);
  EXPECT_EQ(e.CycRatio, 20.0f / 7.0f);
  EXPECT_EQ(e.CycSum, 27.0f);
  EXPECT_EQ(e.CycT, 0.0f);
  EXPECT_NEAR(Cyc_X(e, 0), 100.53f, 0.005f);
  EXPECT_EQ(Cyc_X(e, 0), float(3.14159265358979 * 32));
  EXPECT_EQ(Cyc_Y(e, 0), 0.0f);
}

TEST(Curve, FirstTickOnTheLeftLoop) {
  EngineRun run(27, 100);
  Engine& e = run.engine;
  PatternMotion(e);
  EXPECT_EQ(e.CycPhase, 16.0f);
  EXPECT_TRUE(e.CycLeftLoop);
  EXPECT_EQ(e.CycCX, 129);  // floor(32.4 cos 0.105) + 97.2
  EXPECT_EQ(e.CycCY, 125);  // floor(32.4 sin 0.105) + 122
  EXPECT_EQ(e.EmitX, 230);  // 129 + 100.53
  EXPECT_EQ(e.EmitY, 125);
  EXPECT_EQ(e.CycT, 0.25f);
  EXPECT_EQ(e.NextPart, 10);
}

TEST(Curve, FigureEightPhasesAndTheFloorsJustBelowZero) {
  EngineRun run(22, 100);
  Engine& e = run.engine;
  auto tick_to = [&e](int tick, int& done) {
    for (; done < tick; ++done) PatternMotion(e);
  };
  int done = 0;
  tick_to(15, done);  // phase 30: cos just above 0
  EXPECT_EQ(e.CycPhase, 30.0f);
  EXPECT_EQ(e.CycCX, 97);
  tick_to(30, done);  // phase 45: sin just above 0
  EXPECT_EQ(e.CycCY, 122);
  tick_to(45, done);  // phase 60: cos just below 0
  EXPECT_EQ(e.CycPhase, 60.0f);
  EXPECT_EQ(e.CycCX, 96);
  tick_to(60, done);  // phase 75: sin just below 0, then the switch
  EXPECT_EQ(e.CycCY, 121);
  EXPECT_EQ(e.CycCX, 129);
  EXPECT_EQ(e.CycPhase, 45.0f);
  EXPECT_FALSE(e.CycLeftLoop);
  tick_to(61, done);  // on from the shared point along the right loop
  EXPECT_EQ(e.CycPhase, 44.0f);
  EXPECT_EQ(e.CycCX, 129);
  EXPECT_EQ(e.CycCY, 125);
  tick_to(105, done);  // phase 0: cos just above 0
  EXPECT_EQ(e.CycPhase, 0.0f);
  EXPECT_EQ(e.CycCX, 162);
  tick_to(120, done);  // phase -15: sin just below 0, back to the left loop
  EXPECT_EQ(e.CycCY, 121);
  EXPECT_EQ(e.CycPhase, 15.0f);
  EXPECT_TRUE(e.CycLeftLoop);
}

TEST(Curve, PenWidensAfterEachClosedCurveAndWrapsAfter14) {
  EngineRun run(21, 100);
  Engine& e = run.engine;
  for (int tick = 0; tick < 176; ++tick) PatternMotion(e);
  EXPECT_EQ(e.CycPen, 5.0f);
  EXPECT_EQ(e.CycT, 44.0f);
  PatternMotion(e);  // the 177th tick starts the next curve
  EXPECT_EQ(e.CycPen, 6.0f);
  EXPECT_EQ(e.CycT, 0.5f);
  EXPECT_EQ(FloatBits(e.CycEnd), 0x422FEDDFu);

  e.CycPen = 14;
  e.CycT = e.CycEnd;
  PatternMotion(e);
  EXPECT_EQ(e.CycPen, 5.0f);
}

TEST(Pendulum, StartIsTenthsInRangeAndReseedsFromTheClock) {
  for (std::uint32_t seconds : {0u, 1u, 3600u, 45296u, 86399u}) {
    EngineRun run(12, 100, 0, seconds);
    const Engine& e = run.engine;
    for (float v : {e.PendPX, e.PendPY, e.PendVX, e.PendVY}) {
      EXPECT_LE(std::abs(v), 2.0f) << seconds;
      EXPECT_EQ(v, float(std::nearbyint(v * 10)) / 10) << seconds;
    }
    EXPECT_EQ(e.PendX, std::int16_t(std::nearbyint(e.PendPX * 50 + 162)));
    EXPECT_EQ(e.PendY, std::int16_t(std::nearbyint(122 - e.PendPY * 50)));
    // Eight draws after the reseed: value and sign for each of the four.
    Random reference;
    reference.reseed(seconds);
    for (int n = 0; n < 8; ++n) reference.next();
    EXPECT_EQ(Random(run.random).next(), reference.next()) << seconds;
  }
}

TEST(Pendulum, StartOnAnAnchorKeepsMoving) {
  // At 00:28:47 the start lies exactly on anchor A (about 1 run in 441): its
  // spring has length 0 and must pull with 0, not 0 / 0.
  EngineRun run(12, 100, 0, 1727);
  Engine& e = run.engine;
  ASSERT_EQ(e.PendPX, 1.0f);
  ASSERT_EQ(e.PendPY, 0.0f);
  const std::int16_t start_x = e.PendX;
  StepPendulum(e);
  EXPECT_TRUE(std::isfinite(e.PendVX));
  EXPECT_TRUE(std::isfinite(e.PendPX));
  EXPECT_LT(e.PendVX, -0.5f) << "spring B alone pulls towards -x";
  for (int n = 0; n < 200; ++n) PatternBurst(e);
  EXPECT_TRUE(std::isfinite(e.PendPX));
  EXPECT_TRUE(std::isfinite(e.PendPY));
  EXPECT_NE(e.EmitX, start_x) << "the emitter does not freeze";

  // The same on anchor B, standing still.
  e.PendPX = -1;
  e.PendPY = 0;
  e.PendVX = 0;
  e.PendVY = 0;
  StepPendulum(e);
  EXPECT_GT(e.PendVX, 0.0f) << "spring A alone pulls towards +x";
  EXPECT_EQ(e.PendVY, 0.0f);
}

TEST(Pendulum, BurstUsesThePointBeforeTheStep) {
  EngineRun run(12, 100, 0, 1234);
  Engine& e = run.engine;
  for (int tick = 0; tick < 20; ++tick) {
    const std::int16_t x = e.PendX;
    const std::int16_t y = e.PendY;
    const float px = e.PendPX;
    PatternBurst(e);
    EXPECT_EQ(e.EmitX, x);
    EXPECT_EQ(e.EmitY, y);
    EXPECT_NE(e.PendPX, px) << "one step per tick";
  }
  EXPECT_EQ(e.NextPart, (20 * 10) % 101);
}

}  // namespace
}  // namespace velkaro
