// The production engine against the plain one-value-at-a-time forms it
// replaces (effects/scalar_forms): the same bytes, frame after frame,
// for every pattern, and the same results for the pieces on inputs chosen to
// reach their vector tails and rounding corners.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "common/rounding.h"
#include "effects/animators.h"
#include "effects/engine_setup.h"
#include "effects/filters.h"
#include "effects/particles.h"
#include "effects/pattern_run.h"
#include "effects/presentation.h"
#include "effects/presets.h"
#include "effects/scalar_forms.h"

namespace velkaro {
namespace {

TEST(FastForms, EveryPatternGivesTheSameFramesAsTheScalarForms) {
  for (int pattern = 0; pattern < PatternCount; ++pattern) {
    SCOPED_TRACE(pattern);
    PatternRun fast(pattern), plain(pattern);
    for (std::int64_t frame = 1; frame <= 130; ++frame) {
      fast.Frame(StepFrame);
      plain.Frame(scalar_forms::StepFrame);
      const auto a = fast.engine.FrameBuf.bytes(), b = plain.engine.FrameBuf.bytes();
      ASSERT_TRUE(std::equal(a.begin(), a.end(), b.begin(), b.end())) << "frame " << frame;
    }
    EXPECT_EQ(fast.engine.Particles, plain.engine.Particles);
    EXPECT_EQ(fast.engine.NextPart, plain.engine.NextPart);

    // The presentation of the last frame, at both pixel sizes.
    const IndexImage image{fast.engine.FrameBuf.bytes().data(), Engine::W, Engine::H};
    for (int bytes : {2, 4}) {
      PaletteTable table = fast.PalLUT, plain_table = fast.PalLUT;
      if (bytes == 2) {
        PalTo565(table);
        scalar_forms::PalTo565(plain_table);
      }
      ASSERT_EQ(table, plain_table);
      MemorySurface surface(320, 240, bytes);
      render(image, table, surface);
      std::vector<std::uint8_t> expected(std::size_t(320 * 240 * bytes));
      scalar_forms::render(image, plain_table, expected.data(), 320 * bytes, bytes);
      EXPECT_TRUE(std::equal(expected.begin(), expected.end(), surface.pixels().begin(),
                             surface.pixels().end()))
          << bytes << " bytes per pixel";
    }
  }
}

// Widths around the 16-byte steps reach every tail of the vector loops.
TEST(FastForms, BlurMatchesTheRunningSumsOnEveryWidth) {
  std::mt19937 noise(7);
  for (std::int32_t w = 0; w <= 70; ++w) {
    for (std::int32_t h : {0, 1, 2, 3, 9}) {
      std::vector<std::uint8_t> fast(std::size_t(w + 1) * std::size_t(h + 1) + 3);
      // Mostly 255s, the sums' upper end, or small values, where the
      // division's rounding down shows.
      for (auto& byte : fast) byte = noise() % 3 == 0 ? 255 : std::uint8_t(noise() % 20);
      auto plain = fast;
      for (int pass = 0; pass < 3; ++pass) {
        EXPECT_TRUE(vbBlurImg(w, h, fast));
        EXPECT_TRUE(scalar_forms::vbBlurImg(w, h, plain));
      }
      ASSERT_EQ(fast, plain) << "w " << w << " h " << h;
    }
  }
}

TEST(FastForms, BlurDividesEveryPossibleSumByNineExactly) {
  // A 3 × 3 image whose one interior byte is the ninth of its nine bytes'
  // sum: every sum 0..2295 (nine bytes of at most 255) through the pass.
  for (int sum = 0; sum <= 9 * 255; ++sum) {
    std::vector<std::uint8_t> image(9);
    int left = sum;
    for (auto& byte : image) left -= (byte = std::uint8_t(std::min(left, 255)));
    const std::uint8_t expected = std::uint8_t(sum / 9);
    ASSERT_TRUE(vbBlurImg(2, 2, image));
    ASSERT_EQ(image[4], expected) << sum;
  }
}

TEST(FastForms, NearestIsNearbyintForEveryKindOfValue) {
  std::vector<float> floats = {0.0f,
                               -0.0f,
                               0.5f,
                               -0.5f,
                               1.5f,
                               2.5f,
                               -2.5f,
                               0.49999997f,
                               -0.4f,
                               239.5f,
                               240.5f,
                               8388607.5f,
                               8388608.0f,
                               16777217.0f,
                               2147483520.0f,
                               2147483648.0f,
                               -2147483648.0f,
                               1e30f,
                               -1e30f,
                               std::numeric_limits<float>::infinity(),
                               -std::numeric_limits<float>::infinity(),
                               std::numeric_limits<float>::denorm_min()};
  // Every float whose fraction is a multiple of 1/64 in -300..300, halves
  // and their neighbours included.
  for (int k = -300 * 64; k <= 300 * 64; ++k) {
    const float v = float(k) / 64;
    floats.insert(floats.end(), {v, std::nextafter(v, 1e9f), std::nextafter(v, -1e9f)});
  }
  for (float v : floats) {
    ASSERT_EQ(std::signbit(nearest(v)), std::signbit(std::nearbyint(v))) << v;
    ASSERT_EQ(nearest(v), std::nearbyint(v)) << v;
    ASSERT_EQ(nearest(double(v)), std::nearbyint(double(v))) << v;
    ASSERT_EQ(std::signbit(nearest(double(v))), std::signbit(std::nearbyint(double(v)))) << v;
    if (std::fabs(v) < 2e9f) {
      ASSERT_EQ(nearest_int32(v), std::int32_t(std::nearbyint(v))) << v;
    }
  }
  for (double v : {2147483647.5, 2147483646.5, -2147483648.5, 4503599627370495.5, 1e300}) {
    EXPECT_EQ(nearest(v), std::nearbyint(v)) << v;
  }
  EXPECT_TRUE(std::isnan(nearest(std::numeric_limits<float>::quiet_NaN())));
  EXPECT_TRUE(std::isnan(nearest(std::numeric_limits<double>::quiet_NaN())));
}

// Colours that do not round to a byte stop the plot where they are met, in
// both forms alike; a colour just under 255.5 still plots.
TEST(FastForms, PlotStopsAtTheSameColourAsTheScalarForm) {
  for (float bad : {255.5f, -0.5f, 256.0f, -1.0f, std::numeric_limits<float>::quiet_NaN()}) {
    Random r1, r2;
    Engine fast(r1), plain(r2);
    for (Engine* e : {&fast, &plain}) {
      e->Particles.assign(3, Particle{});
      e->Particles[0] = {10, 10, 0, 0, 255.49998f, 0};
      e->Particles[1] = {20, 20, 0, 0, bad, 0};
      e->Particles[2] = {30, 30, 0, 0, 7, 0};
    }
    const bool plotted = DrawPart(fast);
    EXPECT_EQ(plotted, scalar_forms::DrawPart(plain)) << bad;
    EXPECT_EQ(plotted, bad == -0.5f) << bad;  // -0.5 rounds to -0, a byte
    EXPECT_EQ(fast.FrameBuf.at(10, 10), 255);
    EXPECT_TRUE(std::equal(fast.FrameBuf.bytes().begin(), fast.FrameBuf.bytes().end(),
                           plain.FrameBuf.bytes().begin(), plain.FrameBuf.bytes().end()))
        << bad;
  }
}

}  // namespace
}  // namespace velkaro
