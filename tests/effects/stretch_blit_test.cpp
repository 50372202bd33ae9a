#include "effects/stretch_blit.h"

#include <gtest/gtest.h>

#include <vector>

namespace velkaro {
namespace {

using Indexes = std::vector<std::int32_t>;

Indexes Head(const Indexes& all, std::size_t n) { return Indexes(all.begin(), all.begin() + n); }
Indexes Tail(const Indexes& all, std::size_t n) { return Indexes(all.end() - n, all.end()); }

// Read back from windows of these sizes after the Windows saver's DirectDraw
// presentation (under Wine 8) stretched a picture whose every column and
// row had its own colour.
TEST(StretchBlit, PicksThePixelsTheSaversStretchShows) {
  const Indexes wide = SourceIndexes(320, 1024);
  EXPECT_EQ(Head(wide, 12), (Indexes{0, 0, 0, 1, 1, 1, 2, 2, 2, 2, 3, 3}));
  EXPECT_EQ(Tail(wide, 4), (Indexes{318, 319, 319, 319}));
  const Indexes tall = SourceIndexes(240, 700);
  EXPECT_EQ(Head(tall, 12), (Indexes{0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3}));
  EXPECT_EQ(Tail(tall, 4), (Indexes{238, 239, 239, 239}));
  // A window smaller than the picture skips picture pixels.
  const Indexes narrow = SourceIndexes(320, 200);
  EXPECT_EQ(Head(narrow, 12), (Indexes{0, 2, 4, 5, 7, 8, 10, 12, 13, 15, 16, 18}));
  EXPECT_EQ(Tail(narrow, 4), (Indexes{314, 316, 317, 319}));
  EXPECT_EQ(Tail(SourceIndexes(240, 150), 4), (Indexes{234, 236, 237, 239}));
}

TEST(StretchBlit, CoversThePictureAtAnySize) {
  for (std::int32_t to : {1, 2, 7, 239, 320, 321, 641, 1080, 1920, 7680}) {
    const Indexes indexes = SourceIndexes(320, to);
    ASSERT_EQ(indexes.size(), std::size_t(to));
    EXPECT_GE(indexes.front(), 0);
    EXPECT_LE(indexes.back(), 319);
    for (std::size_t i = 1; i < indexes.size(); ++i) ASSERT_LE(indexes[i - 1], indexes[i]);
    // From the picture's size up, every picture pixel is shown.
    if (to >= 320) {
      EXPECT_EQ(indexes.back() - indexes.front() + 1, 320) << to;
    }
  }
  EXPECT_EQ(SourceIndexes(320, 320), [] {
    Indexes same(320);
    for (std::int32_t i = 0; i < 320; ++i) same[std::size_t(i)] = i;
    return same;
  }());
  EXPECT_EQ(SourceIndexes(320, 1), Indexes{160});
  EXPECT_TRUE(SourceIndexes(320, 0).empty());
}

// Every window pixel of the copy against the index maps, pixel by pixel, for
// each pixel size and for windows larger and smaller than the picture.
TEST(StretchBlit, CopiesEachWindowPixelFromItsPicturePixel) {
  constexpr std::int32_t kFromW = 13, kFromH = 7;
  for (int bytes : {1, 2, 3, 4}) {
    for (auto [w, h] : {std::pair{40, 30}, std::pair{5, 3}, std::pair{13, 7}, std::pair{27, 2}}) {
      std::vector<std::uint8_t> from(std::size_t(kFromW * kFromH * bytes));
      for (std::size_t i = 0; i < from.size(); ++i) from[i] = std::uint8_t(i * 7 + 1);
      const std::ptrdiff_t pitch = std::ptrdiff_t(w * bytes + 5);  // padded rows
      std::vector<std::uint8_t> to(std::size_t(pitch * h), 0xEE);
      StretchBlit(kFromW, kFromH, w, h)
          .Copy({from.data(), kFromW * bytes, bytes}, {to.data(), pitch, bytes});
      const Indexes columns = SourceIndexes(kFromW, w), rows = SourceIndexes(kFromH, h);
      for (std::int32_t y = 0; y < h; ++y) {
        for (std::int32_t x = 0; x < w; ++x) {
          for (int b = 0; b < bytes; ++b) {
            ASSERT_EQ(to[std::size_t(y * pitch + x * bytes + b)],
                      from[std::size_t(
                          (rows[std::size_t(y)] * kFromW + columns[std::size_t(x)]) * bytes + b)])
                << bytes << " bytes, " << w << "x" << h << " at " << x << "," << y;
          }
        }
        // The row padding is left alone.
        EXPECT_EQ(to[std::size_t(y * pitch + w * bytes)], 0xEE);
      }
    }
  }
}

}  // namespace
}  // namespace velkaro
