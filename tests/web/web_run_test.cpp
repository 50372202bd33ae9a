#include "web/web_run.h"

#include <gtest/gtest.h>

#include <vector>

#include "effects/pattern_run.h"
#include "effects/presets.h"

namespace velkaro::web {
namespace {

// The picture the renderer writes for the run: its frames on the virtual
// clock, through the palette as a 32-bit display shows it, in canvas order.
std::vector<std::uint8_t> RendererPicture(const WebRunOptions& options) {
  Random random;
  if (options.seed) random.reseed(*options.seed);
  Engine engine(random);
  EngineSetUpOptions set_up;
  set_up.seconds_since_midnight = options.clock_seconds;
  const auto PalLUT = SetUpEngine(engine, 0, std::int16_t(options.pattern), set_up);
  PatternClock clock(engine.Pattern_No, options.fps);
  for (int k = 1; k <= options.frames.value_or(0); ++k) clock.Frame(engine);
  MemorySurface surface(kShownPictureSize.width, kShownPictureSize.height, 4);
  render(IndexImage{engine.FrameBuf.bytes().data(), Engine::W, Engine::H}, CanvasPalette(*PalLUT),
         surface);
  return {surface.pixels().begin(), surface.pixels().end()};
}

std::vector<std::uint8_t> Bytes(std::span<const std::uint8_t> picture) {
  return {picture.begin(), picture.end()};
}

// Animation frames `step_ms` apart until the run holds its last frame.
void RunUntilHeld(WebRun& run, double step_ms) {
  double now = 1000;
  for (int k = 0; k < 100000 && !run.held(); ++k, now += step_ms) run.AnimationFrame(now);
}

TEST(WebRunReplay, GivesTheRenderersFramesWhateverTheAnimationFrames) {
  // Pattern 0's bursts and 12's pendulum (which reseeds from the clock) on
  // their timers, 25's five-second burst, at the page's rates and another.
  struct Case {
    int pattern, frames, fps;
    std::optional<std::uint32_t> seed;
    std::uint32_t clock;
  };
  for (const Case& c : {Case{0, 130, 60, {}, 0}, Case{12, 40, 60, 7, 43200},
                        Case{25, 320, 60, {}, 0}, Case{7, 25, 24, 123456, 0}}) {
    WebRunOptions options;
    options.pattern = c.pattern;
    options.frames = c.frames;
    options.fps = c.fps;
    options.seed = c.seed;
    options.clock_seconds = c.clock;
    options.replay = true;
    const auto expected = RendererPicture(options);
    // A display at the run's rate, one twice as fast and one a little slow.
    for (double step_ms : {1000.0 / c.fps, 500.0 / c.fps, 1000.0 / c.fps * 1.1}) {
      WebRun run(options);
      ASSERT_TRUE(run.Start());
      RunUntilHeld(run, step_ms);
      ASSERT_TRUE(run.held());
      EXPECT_EQ(run.frames(), c.frames);
      EXPECT_EQ(Bytes(run.Picture()), expected)
          << "pattern " << c.pattern << " every " << step_ms << " ms";
      // A held picture stays as it is.
      run.AnimationFrame(1e9);
      EXPECT_EQ(run.frames(), c.frames);
    }
  }
}

TEST(WebRunReplay, HeldAtFrameZeroShowsTheSetUpBuffer) {
  WebRunOptions options;
  options.frames = 0;
  options.replay = true;
  WebRun run(options);
  ASSERT_TRUE(run.Start());
  EXPECT_TRUE(run.held());
  EXPECT_EQ(Bytes(run.Picture()), RendererPicture(options));
}

TEST(WebRunLive, PacesTheBrowsersAnimationFramesToSixtyASecond) {
  // Displays at 60, 75, 120 and 144 Hz, with a little jitter on each frame.
  for (double hz : {60.0, 75.0, 120.0, 144.0}) {
    WebRun run(WebRunOptions{});
    ASSERT_TRUE(run.Start());
    const double period = 1000.0 / hz;
    for (int k = 0; k * period < 10'000; ++k) run.AnimationFrame(k * period + (k % 3 - 1) * 0.4);
    EXPECT_NEAR(double(run.frames()), 600, 600 * 0.02) << hz << " Hz";
  }
}

TEST(WebRunLive, AKeyOrAClickEndsTheRunAtTheNextAnimationFrame) {
  for (int end_by_key = 0; end_by_key < 2; ++end_by_key) {
    WebRun run(WebRunOptions{});
    ASSERT_TRUE(run.Start());
    EXPECT_TRUE(run.AnimationFrame(0));
    if (end_by_key)
      run.KeyDown(32);
    else
      run.MouseButtonDown();
    EXPECT_TRUE(run.running());  // input waits for the animation frame
    EXPECT_FALSE(run.AnimationFrame(17));
    EXPECT_FALSE(run.running());
    EXPECT_FALSE(run.AnimationFrame(34));
    EXPECT_EQ(run.frames(), 1);
  }
  WebRun closed(WebRunOptions{});
  ASSERT_TRUE(closed.Start());
  closed.CloseRequest();
  closed.AnimationFrame(0);
  EXPECT_FALSE(closed.running());
}

TEST(WebRunLive, ARandomRunTakesItsPatternFromTheTimeOfDay) {
  std::vector<int> patterns;
  for (std::uint32_t clock : {1u, 2u, 3u, 40000u, 80000u}) {
    WebRunOptions options;
    options.random = true;
    options.clock_seconds = clock;
    WebRun run(options);
    ASSERT_TRUE(run.Start());
    ASSERT_GE(run.pattern(), 0);
    ASSERT_LT(run.pattern(), PatternCount);
    patterns.push_back(run.pattern());
  }
  EXPECT_NE(std::count(patterns.begin(), patterns.end(), patterns[0]), 5);
}

}  // namespace
}  // namespace velkaro::web
