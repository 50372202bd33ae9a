#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "effects/engine.h"
#include "effects/engine_setup.h"
#include "effects/particles.h"

namespace velkaro {
namespace {

constexpr std::int32_t W = Engine::W;
constexpr std::int32_t H = Engine::H;

// An engine set up as the load handler leaves it, with `params` for the
// pattern's and a clear frame buffer: pool allocated and parked, tables
// built. The generator lives beside it.
struct EngineRun {
  explicit EngineRun(const EngineParams& params) : engine(random) {
    EngineSetUpOptions set_up;
    set_up.params_given = params;
    set_up.fill_noise = false;
    std::int16_t Pattern_No = 0;
    SetUpEngine(engine, 0, Pattern_No, set_up);
  }
  Random random;
  Engine engine;
};

// Launches one particle per step in all directions, nothing else.
EngineParams OneLaunchPerStep(std::int32_t part_max) {
  EngineParams p;
  p.PartMax = part_max;
  p.EmitOn = true;
  p.AngleMin = 0;
  p.AngleRange = 360;
  p.EmitCount = 1;
  p.SpeedRange = 1;
  p.ColBase = 255;
  return p;
}

TEST(Trigo, TablesUseTheShortPi) {
  EngineRun run(EngineParams{});
  const Engine& e = run.engine;
  EXPECT_EQ(e.SinTab[0], 0.0f);
  EXPECT_EQ(e.CosTab[0], 1.0f);
  // With 3.1415 the quarter and half turns miss their zeros slightly.
  EXPECT_NEAR(e.CosTab[90], 4.633e-5f, 1e-8f);
  EXPECT_NEAR(e.SinTab[180], 9.265e-5f, 1e-8f);
  EXPECT_NEAR(e.SinTab[270], -1.0f, 1e-6f);
  EXPECT_LT(e.SinTab[270], -0.99999f);
  EXPECT_NEAR(e.SinTab[360], -1.853e-4f, 1e-7f);
  EXPECT_NEAR(e.CosTab[360], 1.0f, 1e-7f);
}

TEST(Pool, AllocatedZeroedThenParked) {
  EngineParams params;
  params.PartMax = 9;
  Random random;
  Engine e(random);
  e.params = params;
  e.AllocateParticles();
  ASSERT_EQ(e.Particles.size(), 10u);
  EXPECT_EQ(e.Particles[9], Particle{});
  e.Initpart();
  EXPECT_EQ(e.Particles[0], (Particle{1000, 1000, 0, 0, 0, 0}));
  EXPECT_EQ(e.Particles[9], (Particle{1000, 1000, 0, 0, 0, 0}));
}

TEST(Pool, NegativePartMaxGivesAnInertEngine) {
  EngineParams params = OneLaunchPerStep(-1);
  params.ScrollOn = true;
  params.ScrollRows = 1;
  EngineRun run(params);
  Engine& e = run.engine;
  EXPECT_TRUE(e.Particles.empty());
  EXPECT_FALSE(animPart(e));
  AnimWind(e, 0);
  EXPECT_TRUE(DrawPart(e));
  LaunchBurst(e, 1.0f);
  EXPECT_EQ(e.NextPart, 0);
}

TEST(Ring, FirstLaunchAtIndexOneAndWrapToZero) {
  constexpr std::int32_t part_max = 4;
  EngineRun run(OneLaunchPerStep(part_max));
  Engine& e = run.engine;
  e.EmitX = 100;
  e.EmitY = 100;

  ASSERT_TRUE(animPart(e));
  EXPECT_EQ(e.NextPart, 1);
  EXPECT_EQ(e.Particles[1].x, 100.0f);
  EXPECT_EQ(e.Particles[0].x, 1000.0f) << "record 0 is reached last";

  for (int n = 1; n < part_max; ++n) ASSERT_TRUE(animPart(e));
  EXPECT_EQ(e.NextPart, part_max);
  EXPECT_EQ(e.Particles[0].x, 1000.0f);

  ASSERT_TRUE(animPart(e));
  EXPECT_EQ(e.NextPart, 0);
  EXPECT_EQ(e.Particles[0].x, 100.0f);
  EXPECT_EQ(e.Particles[0].col, 255.0f);
}

TEST(Motion, GravityFirstThenPositionThenFade) {
  EngineParams params;
  params.PartMax = 3;
  params.Gravity = -0.25f;
  EngineRun run(params);
  Engine& e = run.engine;
  e.Particles[0] = {10, 20, 1, 2, 100, 0.5f};
  e.Particles[1] = {10, 20, 0, 0, 0.75f, 0.5f};  // below 1: left alone
  e.Particles[2] = {10, 20, 0, 0, 1.25f, 3.0f};  // fade larger: exactly 0
  e.Particles[3] = {10, 20, 0, 0, 1.0f, 1.0f};   // fade equal: 1 - 1
  ASSERT_TRUE(animPart(e));
  EXPECT_EQ(e.Particles[0], (Particle{11, 21.75f, 1, 1.75f, 99.5f, 0.5f}));
  EXPECT_EQ(e.Particles[1].col, 0.75f);
  EXPECT_EQ(e.Particles[2].col, 0.0f);
  EXPECT_EQ(e.Particles[3].col, 0.0f);
}

TEST(Launch, NothingWithoutEmitOnOrWithNoCount) {
  EngineParams params = OneLaunchPerStep(10);
  params.EmitOn = false;
  EngineRun quiet(params);
  Random untouched;
  ASSERT_TRUE(animPart(quiet.engine));
  EXPECT_EQ(quiet.engine.NextPart, 0);
  EXPECT_EQ(quiet.random.next(), untouched.next()) << "no draws without EmitOn";

  params.EmitOn = true;
  params.EmitCount = -2;
  EngineRun negative(params);
  ASSERT_TRUE(animPart(negative.engine));
  EXPECT_EQ(negative.engine.NextPart, 0);
}

TEST(Launch, AngleBeyondTheTablesStopsTheStepSafely) {
  EngineParams params = OneLaunchPerStep(10);
  params.AngleMin = 361;
  params.AngleRange = 1;
  EngineRun run(params);
  EXPECT_FALSE(animPart(run.engine));
  EXPECT_TRUE(DrawPart(run.engine));
}

// The documented draws of one step, made on a copy of the generator:
// the emitter point (mode 2), the count, then per launch the line position
// (modes 1 and 3), angle, speed, colour and fade.
struct Replayed {
  std::int32_t emit_x;
  std::int32_t emit_y;
  std::vector<Particle> launched;
};

Replayed ReplayStep(Random& twin, const EngineParams& p, const Engine& e, std::int32_t emit_x,
                    std::int32_t emit_y) {
  Replayed out{emit_x, emit_y, {}};
  if (p.EmitMode == 1 || p.EmitMode == 3) out.emit_y = 220;
  if (p.EmitMode == 2) {
    out.emit_x = std::int32_t(std::floor(twin.next() * float(W - 10))) + 5;
    out.emit_y = std::int32_t(std::floor(twin.next() * float(H - 10))) + 5;
  }
  const float r = twin.next();
  const auto count = std::int32_t(std::nearbyint(std::floor(r * float(p.EmitJitter) * 2.0f) -
                                                 float(p.EmitJitter) + float(p.EmitCount)));
  for (std::int32_t n = 0; n < count; ++n) {
    if (p.EmitMode == 1) out.emit_x = std::int32_t(std::floor(twin.next() * 314.0f)) + 5;
    if (p.EmitMode == 3) out.emit_x = std::int32_t(std::floor(twin.next() * 274.0f)) + 25;
    const auto a = std::size_t(std::floor(twin.next() * float(p.AngleRange)) + float(p.AngleMin));
    const float v = twin.next() * p.SpeedRange + p.SpeedMin;
    Particle q;
    q.vx = v * e.CosTab[a];
    q.vy = v * e.SinTab[a];
    q.x = float(out.emit_x);
    q.y = float(out.emit_y);
    q.col = std::floor(twin.next() * float(p.ColRange)) + float(p.ColBase);
    q.fade = std::floor(twin.next() * p.FadeJitter * 2.0f) - p.FadeJitter + p.FadeBase;
    out.launched.push_back(q);
  }
  return out;
}

TEST(Launch, DrawsInTheDocumentedOrderForEveryMode) {
  for (const bool with_jitter : {false, true}) {
    for (std::int32_t mode = 0; mode <= 4; ++mode) {
      EngineParams params;
      params.PartMax = 50;
      params.EmitOn = true;
      params.EmitMode = mode;
      params.AngleMin = 180;
      params.AngleRange = 180;
      params.EmitCount = 3;
      params.SpeedMin = 0.5f;
      params.SpeedRange = 4;
      params.ColBase = with_jitter ? 200 : 255;
      params.ColRange = with_jitter ? 55 : 0;
      params.EmitJitter = with_jitter ? 2 : 0;
      params.FadeJitter = with_jitter ? 0.3f : 0;
      EngineRun run(params);
      Engine& e = run.engine;
      e.EmitX = 40;
      e.EmitY = 30;
      for (int step = 0; step < 5; ++step) {
        SCOPED_TRACE(testing::Message()
                     << "mode " << mode << " jitter " << with_jitter << " step " << step);
        const std::int32_t first = e.NextPart;
        Random twin = run.random;
        const Replayed expected = ReplayStep(twin, params, e, e.EmitX, e.EmitY);
        ASSERT_TRUE(animPart(e));
        ASSERT_EQ(e.EmitX, expected.emit_x);
        ASSERT_EQ(e.EmitY, expected.emit_y);
        ASSERT_EQ(e.NextPart, first + std::int32_t(expected.launched.size()));
        for (std::size_t n = 0; n < expected.launched.size(); ++n)
          ASSERT_EQ(e.Particles[std::size_t(first) + 1 + n], expected.launched[n])
              << "launch " << n;
        ASSERT_EQ(Random(run.random).next(), twin.next()) << "the same number of draws";
      }
    }
  }
}

TEST(Launch, EveryDrawIsMadeEvenWhenItCannotMatter) {
  // One launch with EmitJitter, ColRange and FadeJitter all 0 still makes
  // the count, angle, speed, colour and fade draws: five in all.
  EngineRun run(OneLaunchPerStep(10));
  Random twin = run.random;
  ASSERT_TRUE(animPart(run.engine));
  for (int n = 0; n < 5; ++n) twin.next();
  EXPECT_EQ(run.random.next(), twin.next());
}

TEST(Launch, EmitterRangesOfTheRandomAndLineModes) {
  struct Case {
    std::int32_t mode, x_lo, x_hi, y_lo, y_hi;
  };
  for (const Case c :
       {Case{2, 5, 318, 5, 238}, Case{1, 5, 318, 220, 220}, Case{3, 25, 298, 220, 220}}) {
    EngineParams params = OneLaunchPerStep(0);
    params.EmitMode = c.mode;
    EngineRun run(params);
    Engine& e = run.engine;
    std::int32_t x_lo = 1000, x_hi = -1000, y_lo = 1000, y_hi = -1000;
    for (int step = 0; step < 20000; ++step) {
      ASSERT_TRUE(animPart(e));
      x_lo = std::min(x_lo, e.EmitX);
      x_hi = std::max(x_hi, e.EmitX);
      y_lo = std::min(y_lo, e.EmitY);
      y_hi = std::max(y_hi, e.EmitY);
    }
    EXPECT_EQ(x_lo, c.x_lo) << "mode " << c.mode;
    EXPECT_EQ(x_hi, c.x_hi) << "mode " << c.mode;
    EXPECT_EQ(y_lo, c.y_lo) << "mode " << c.mode;
    EXPECT_EQ(y_hi, c.y_hi) << "mode " << c.mode;
  }
}

// A buffer whose every byte tells its row: row y holds y.
void FillRowNumbers(FrameBuffer& buf) {
  for (std::int32_t y = 0; y <= buf.h(); ++y)
    for (std::int32_t x = 0; x <= buf.w(); ++x) buf.at(x, y) = std::uint8_t(y);
}

TEST(Scroll, MovesRowsUpAndKeepsTheBottomRows) {
  for (const std::int32_t rows : {1, 3}) {
    EngineParams params;
    params.PartMax = 0;
    params.ScrollOn = true;
    params.ScrollRows = rows;
    EngineRun run(params);
    FrameBuffer& buf = run.engine.FrameBuf;
    FillRowNumbers(buf);
    ASSERT_TRUE(animPart(run.engine));
    for (std::int32_t y = 0; y <= H; ++y) {
      const std::int32_t expected = y <= H - rows ? y + rows : y;
      ASSERT_EQ(buf.at(0, y), expected) << "rows " << rows << " y " << y;
      ASSERT_EQ(buf.at(W, y), expected) << "rows " << rows << " y " << y;
    }
  }
}

TEST(Scroll, DegenerateRowCounts) {
  for (const std::int32_t rows : {0, H + 1, -1}) {
    EngineParams params;
    params.PartMax = 0;
    params.ScrollOn = true;
    params.ScrollRows = rows;
    EngineRun run(params);
    FillRowNumbers(run.engine.FrameBuf);
    const FrameBuffer before = run.engine.FrameBuf;
    EXPECT_EQ(animPart(run.engine), rows >= 0) << rows;
    EXPECT_TRUE(std::equal(run.engine.FrameBuf.bytes().begin(), run.engine.FrameBuf.bytes().end(),
                           before.bytes().begin(), before.bytes().end()))
        << rows;
  }
  // H rows: row 0 takes row H, everything else stays.
  EngineParams params;
  params.PartMax = 0;
  params.ScrollOn = true;
  params.ScrollRows = H;
  EngineRun run(params);
  FillRowNumbers(run.engine.FrameBuf);
  ASSERT_TRUE(animPart(run.engine));
  EXPECT_EQ(run.engine.FrameBuf.at(5, 0), H);
  EXPECT_EQ(run.engine.FrameBuf.at(5, 1), 1);
}

TEST(Wind, RowsAtAndAroundTheBottomOfTheTable) {
  EngineParams params;
  params.PartMax = 5;
  params.WindOn = true;
  params.WindAmp = 8;
  EngineRun run(params);
  Engine& e = run.engine;
  const float ys[] = {240, 239.5f, 239, 0, -0.1f, 240.1f};
  for (std::size_t i = 0; i < 6; ++i) e.Particles[i] = {100, ys[i], 0, 0, 0, 0};
  AnimWind(e, 0);
  ASSERT_NE(e.WindTab[239], 0.0f);
  EXPECT_EQ(e.WindTab[240], 0.0f);
  EXPECT_EQ(e.Particles[0].x, 100.0f) << "row 240 has no wind";
  EXPECT_EQ(e.Particles[1].x, 100.0f) << "239.5 rounds to row 240";
  EXPECT_EQ(e.Particles[2].x, 100.0f + e.WindTab[239]);
  EXPECT_EQ(e.Particles[3].x, 100.0f + e.WindTab[0]);
  EXPECT_EQ(e.Particles[4].x, 100.0f) << "above the table";
  EXPECT_EQ(e.Particles[5].x, 100.0f) << "below the table";
}

TEST(Wind, BandsEaseFromTheirTopToTheirBottomValue) {
  EngineParams params;
  params.PartMax = 0;
  params.WindAmp = 2;
  EngineRun run(params);
  Random twin = run.random;
  Engine& e = run.engine;
  AnimWind(e, 5000);
  const std::int32_t wait = std::int32_t(std::floor(twin.next() * 1000.0f)) + 1000;
  EXPECT_EQ(e.WindWait, wait);
  EXPECT_EQ(e.WindTick, 5000u);
  for (std::size_t band = 0; band < 6; ++band) {
    const float x0 = twin.next() * 2.0f - 1.0f;
    const float x1 = twin.next() * 2.0f - 1.0f;
    EXPECT_EQ(e.WindTab[band * 40], x0) << band;
    EXPECT_EQ(e.WindTab[band * 40 + 39], x1) << band;
    // Eased: the middle row lies between the ends, at their mean.
    EXPECT_NEAR(e.WindTab[band * 40 + 19], (x0 + x1) / 2, std::abs(x1 - x0) * 0.05f + 1e-6f);
  }
  EXPECT_EQ(run.random.next(), twin.next()) << "13 draws per profile";
}

TEST(Wind, NewProfileOnlyAfterItsWaitAcrossTheTickWrap) {
  EngineParams params;
  params.PartMax = 0;
  params.WindAmp = 2;
  EngineRun run(params);
  Engine& e = run.engine;
  const std::uint32_t start = 0xFFFFFF00u;  // 256 ms before the tick count wraps
  AnimWind(e, start);
  const std::int32_t wait = e.WindWait;
  ASSERT_GE(wait, 1000);
  ASSERT_LE(wait, 1999);

  AnimWind(e, start + std::uint32_t(wait) - 1);  // wrapped past 0
  EXPECT_EQ(e.WindTick, start) << "the profile still lasts";
  AnimWind(e, start + std::uint32_t(wait));
  EXPECT_EQ(e.WindTick, start + std::uint32_t(wait)) << "a new profile";
}

TEST(DrawPart, StrictBoundsAndRoundingIntoTheLastColumn) {
  EngineParams params;
  params.PartMax = 9;
  EngineRun run(params);
  Engine& e = run.engine;
  FrameBuffer& buf = e.FrameBuf;
  std::fill(buf.bytes().begin(), buf.bytes().end(), std::uint8_t{7});
  e.Particles[0] = {0, 50, 0, 0, 200, 0};         // on column 0
  e.Particles[1] = {float(W), 60, 0, 0, 200, 0};  // on column W
  e.Particles[2] = {W - 0.4f, 70, 0, 0, 201, 0};  // rounds to column W
  e.Particles[3] = {50, 0, 0, 0, 200, 0};         // on row 0
  e.Particles[4] = {60, float(H), 0, 0, 200, 0};  // on row H
  e.Particles[5] = {70, H - 0.4f, 0, 0, 202, 0};  // rounds to row H
  e.Particles[6] = {0.4f, 80, 0, 0, 203.5f, 0};   // rounds to column 0, even colour
  e.Particles[7] = {90, 90, 0, 0, 254.5f, 0};     // ties to even: 254
  e.Particles[8] = {100, 100, 0, 0, 0, 0};        // colour 0 still writes
  ASSERT_TRUE(DrawPart(e));
  EXPECT_EQ(buf.at(0, 50), 7);
  EXPECT_EQ(buf.at(W, 60), 7);
  EXPECT_EQ(buf.at(W, 70), 201);
  EXPECT_EQ(buf.at(50, 0), 7);
  EXPECT_EQ(buf.at(60, H), 7);
  EXPECT_EQ(buf.at(70, H), 202);
  EXPECT_EQ(buf.at(0, 80), 204);
  EXPECT_EQ(buf.at(90, 90), 254);
  EXPECT_EQ(buf.at(100, 100), 0);
  EXPECT_EQ(std::count(buf.bytes().begin(), buf.bytes().end(), std::uint8_t{7}),
            std::ptrdiff_t(buf.bytes().size()) - 5);
}

TEST(DrawPart, LaterParticleWinsAndParkedOnesAreNotPlotted) {
  EngineParams params;
  params.PartMax = 3;
  EngineRun run(params);
  Engine& e = run.engine;
  e.Particles[1] = {10.2f, 10.2f, 0, 0, 100, 0};
  e.Particles[2] = {9.8f, 9.8f, 0, 0, 50, 0};
  ASSERT_TRUE(DrawPart(e));
  EXPECT_EQ(e.FrameBuf.at(10, 10), 50);
  EXPECT_EQ(std::count(e.FrameBuf.bytes().begin(), e.FrameBuf.bytes().end(), std::uint8_t{0}),
            std::ptrdiff_t(e.FrameBuf.bytes().size()) - 1);
}

TEST(DrawPart, ClearFrameLeavesTheLastColumnAndRow) {
  EngineParams params;
  params.PartMax = 0;
  params.ClearFrame = true;
  EngineRun run(params);
  FrameBuffer& buf = run.engine.FrameBuf;
  std::fill(buf.bytes().begin(), buf.bytes().end(), std::uint8_t{9});
  ASSERT_TRUE(DrawPart(run.engine));
  EXPECT_EQ(buf.at(0, 0), 0);
  EXPECT_EQ(buf.at(W - 1, H - 1), 0);
  EXPECT_EQ(buf.at(W, 0), 9);
  EXPECT_EQ(buf.at(W, H - 1), 9);
  EXPECT_EQ(buf.at(0, H), 9);
  EXPECT_EQ(buf.at(W, H), 9);
  EXPECT_EQ(std::count(buf.bytes().begin(), buf.bytes().end(), std::uint8_t{9}), W + 1 + H);
}

TEST(DrawPart, ColourThatIsNotAByteStopsThePlotSafely) {
  EngineParams params;
  params.PartMax = 2;
  EngineRun run(params);
  Engine& e = run.engine;
  e.Particles[0] = {5, 5, 0, 0, 100, 0};
  e.Particles[1] = {6, 6, 0, 0, 255.5f, 0};  // rounds to 256
  e.Particles[2] = {7, 7, 0, 0, 100, 0};
  EXPECT_FALSE(DrawPart(e));
  EXPECT_EQ(e.FrameBuf.at(5, 5), 100);
  EXPECT_EQ(e.FrameBuf.at(6, 6), 0);
}

}  // namespace
}  // namespace velkaro
