#include "effects/presentation.h"

#include <gtest/gtest.h>

#include <vector>

#include "effects/random.h"

namespace velkaro {
namespace {

// Surface memory with a pitch wider than its rows, so that a copy that
// ignores the pitch shows up, and a count of locks.
class MemorySurface final : public Surface {
 public:
  MemorySurface(int width, int height, int bytes_per_pixel)
      : width_(width),
        height_(height),
        bytes_per_pixel_(bytes_per_pixel),
        pitch_(width * bytes_per_pixel + 8),
        memory_(pitch_ * height, 0xEE) {}

  std::int32_t Width() const override { return width_; }
  std::int32_t Height() const override { return height_; }
  std::optional<LockedPixels> Lock() override {
    if (lost) return std::nullopt;
    ++locks;
    locked = true;
    return LockedPixels{memory_.data(), pitch_, bytes_per_pixel_};
  }
  void Unlock() override { locked = false; }

  std::uint32_t Pixel(int x, int y) const {
    std::uint32_t v = 0;
    for (int b = 0; b < bytes_per_pixel_; ++b) {
      v |= std::uint32_t(memory_[y * pitch_ + x * bytes_per_pixel_ + b]) << (8 * b);
    }
    return v;
  }
  // Bytes outside the pixels, in the padding at the end of each row.
  bool PaddingUntouched() const {
    for (int y = 0; y < height_; ++y) {
      for (int b = width_ * bytes_per_pixel_; b < pitch_; ++b) {
        if (memory_[y * pitch_ + b] != 0xEE) return false;
      }
    }
    return true;
  }

  bool lost = false;
  bool locked = false;
  int locks = 0;

 private:
  int width_, height_, bytes_per_pixel_;
  std::ptrdiff_t pitch_;
  std::vector<std::uint8_t> memory_;
};

// An image whose byte at (x, y) is (x + 7 × y) mod 256, and a table that
// makes every index recognisable in every byte of a pixel.
struct Pattern {
  Pattern(int w_, int h_) : w(w_), h(h_), bytes((w_ + 1) * (h_ + 1)) {
    for (int y = 0; y <= h; ++y) {
      for (int x = 0; x <= w; ++x) bytes[y * (w + 1) + x] = std::uint8_t(x + 7 * y);
    }
    for (int i = 0; i < 256; ++i) table[i] = 0x01000000u * (i ^ 0x5A) + 0x010101u * i;
  }
  IndexImage image() const { return {bytes.data(), w, h}; }
  std::uint32_t Value(int x, int y) const { return table[std::uint8_t(x + 7 * y)]; }

  int w, h;
  std::vector<std::uint8_t> bytes;
  PaletteTable table{};
};

TEST(To565, PacksTheThreeLowBytes) {
  EXPECT_EQ(To565(255u * 65536 + 255u * 256 + 255), 65535);
  EXPECT_EQ(To565(255u * 65536), 63488);  // the fire entry for index 63
  EXPECT_EQ(To565(0x00FF00), 0x07E0);
  EXPECT_EQ(To565(0x0000FF), 0x001F);
  EXPECT_EQ(To565(0xFF070307), 0);       // below each field's step; the top byte is ignored
  EXPECT_EQ(To565(0xFF080408), 0x0821);  // one step in each field
}

TEST(To565, DisplayPaletteConvertsOnlyFor16Bits) {
  PaletteTable pal{};
  for (int i = 0; i < 256; ++i) pal[i] = 0x010101u * i;
  PaletteTable converted = pal;
  PalTo565(converted);
  EXPECT_EQ(converted[255], 65535u);
  EXPECT_EQ(converted[8], 0x0841u);  // (8 div 8) × 2048 + (8 div 4) × 32 + 8 div 8
  EXPECT_EQ(DisplayPalette(pal, 16), converted);
  for (std::uint32_t bits : {8u, 15u, 24u, 32u}) EXPECT_EQ(DisplayPalette(pal, bits), pal);
}

TEST(Noise, FillsEveryByteColumnByColumnBelow255) {
  const int w = 6, h = 4;
  std::vector<std::uint8_t> buf((w + 1) * (h + 1), 255);
  Random random;
  ASSERT_TRUE(FillNoise(w, h, buf, random));
  Random reference;
  for (int x = 0; x <= w; ++x) {
    for (int y = 0; y <= h; ++y) {
      EXPECT_EQ(buf[y * (w + 1) + x], reference.next_below(255)) << x << "," << y;
    }
  }
  std::vector<std::uint8_t> full_size(325 * 245);
  ASSERT_TRUE(FillNoise(324, 244, full_size, random));
  for (auto b : full_size) ASSERT_LT(b, 255);

  std::vector<std::uint8_t> short_buf(34, 255);
  EXPECT_FALSE(FillNoise(w, h, short_buf, random));
  EXPECT_EQ(short_buf, std::vector<std::uint8_t>(34, 255));
}

TEST(DrawArray, TheFrameRectangleFillsTheSurfaceExactly) {
  EXPECT_EQ(RenderRect(324, 244), (Rect{4, 0, 328, 244}));
  const auto copy = ClipArrayCopy(RenderRect(324, 244), 324, 244, 0, 0, 320, 240);
  ASSERT_TRUE(copy);
  EXPECT_EQ(*copy, (ArrayCopy{{4, 0, 324, 240}, 0, 0}));
}

TEST(DrawArray, RenderShowsColumnsFourTo323AndRowsUpTo239) {
  const Pattern frame(324, 244);
  MemorySurface surface(320, 240, 4);
  EXPECT_EQ(render(frame.image(), frame.table, surface), DrawStatus::kDrawn);
  EXPECT_EQ(surface.locks, 1);
  EXPECT_FALSE(surface.locked);
  EXPECT_EQ(surface.Pixel(0, 0), frame.Value(4, 0));
  for (int y = 0; y < 240; ++y) {
    for (int x = 0; x < 320; ++x) {
      ASSERT_EQ(surface.Pixel(x, y), frame.Value(x + 4, y)) << x << "," << y;
    }
  }
  EXPECT_TRUE(surface.PaddingUntouched());
}

TEST(DrawArray, WritesTheLowBytesOfEachValueAtEveryDepth) {
  const Pattern frame(12, 9);
  for (int bytes : {1, 2, 3, 4}) {
    MemorySurface surface(6, 5, bytes);
    ASSERT_EQ(DrawArray(frame.image(), frame.table, 0, 0, {2, 1, 8, 6}, surface),
              DrawStatus::kDrawn);
    const std::uint32_t mask = bytes == 4 ? 0xFFFFFFFFu : (1u << (8 * bytes)) - 1;
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(surface.Pixel(x, y), frame.Value(x + 2, y + 1) & mask) << bytes;
      }
    }
    EXPECT_TRUE(surface.PaddingUntouched()) << bytes;
  }
}

TEST(DrawArray, EmptyRectanglesReturnOneAndDrawNothing) {
  const Pattern frame(10, 8);
  MemorySurface surface(8, 8, 4);
  const Rect empty[] = {
      {12, 0, 20, 5},  // wholly right of the array: both edges become 10
      {0, 3, 5, 3},    // top = bottom
      {4, 0, 4, 5},    // left = right
      {-9, 0, -1, 5},  // wholly left: both edges become 0
      {0, 9, 5, 30},   // wholly below
  };
  for (const Rect& r : empty) {
    EXPECT_EQ(DrawArray(frame.image(), frame.table, 0, 0, r, surface), DrawStatus::kEmpty)
        << r.left << "," << r.top << "," << r.right << "," << r.bottom;
  }
  EXPECT_EQ(surface.locks, 0);
  EXPECT_EQ(DrawArray({}, frame.table, 0, 0, {0, 0, 5, 5}, surface), DrawStatus::kEmpty);
}

TEST(DrawArray, ReversedEdgesAreSwapped) {
  const Pattern frame(10, 8);
  MemorySurface surface(8, 8, 4);
  EXPECT_EQ(DrawArray(frame.image(), frame.table, 0, 0, {6, 5, 2, 1}, surface), DrawStatus::kDrawn);
  EXPECT_EQ(surface.Pixel(0, 0), frame.Value(2, 1));
  EXPECT_EQ(surface.Pixel(3, 3), frame.Value(5, 4));
  EXPECT_EQ(surface.Pixel(4, 0), 0xEEEEEEEEu);
}

// The cut keeps every pixel where the rectangle puts it: a destination
// before the surface's start skips the pixels that would land there, and a
// wide rectangle is cut at the surface's far edge.
TEST(DrawArray, CutsToTheSurfaceWithoutMovingPixels) {
  EXPECT_EQ(ClipArrayCopy({4, 2, 9, 7}, 20, 20, -3, -1, 10, 10), (ArrayCopy{{7, 3, 9, 7}, 0, 0}));
  EXPECT_EQ(ClipArrayCopy({4, 0, 20, 20}, 20, 20, 2, 5, 10, 10), (ArrayCopy{{4, 0, 12, 5}, 2, 5}));

  const Pattern frame(20, 20);
  MemorySurface surface(10, 10, 4);
  EXPECT_EQ(DrawArray(frame.image(), frame.table, -3, 6, {4, 2, 19, 9}, surface),
            DrawStatus::kDrawn);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) {
      const bool covered = y >= 6 && y < 10 && x < 12;
      const std::uint32_t want = covered ? frame.Value(x + 4 + 3, y - 6 + 2) : 0xEEEEEEEEu;
      EXPECT_EQ(surface.Pixel(x, y), want) << x << "," << y;
    }
  }
  EXPECT_TRUE(surface.PaddingUntouched());
}

TEST(DrawArray, NothingLandsOnTheSurface) {
  const Pattern frame(20, 20);
  MemorySurface surface(10, 10, 4);
  for (auto [dx, dy] :
       {std::pair{10, 0}, {0, 10}, {-8, 0}, {0, -30}, {2147483647, 0}, {-2147483647 - 1, 0}}) {
    EXPECT_EQ(DrawArray(frame.image(), frame.table, dx, dy, {4, 2, 9, 7}, surface),
              DrawStatus::kDrawn)
        << dx << "," << dy;
  }
  EXPECT_EQ(surface.locks, 0);
  EXPECT_TRUE(surface.PaddingUntouched());
}

TEST(DrawArray, ALostSurfaceIsReportedAndNotUnlocked) {
  const Pattern frame(324, 244);
  MemorySurface surface(320, 240, 4);
  surface.lost = true;
  EXPECT_EQ(render(frame.image(), frame.table, surface), DrawStatus::kUnavailable);
  surface.lost = false;
  EXPECT_EQ(render(frame.image(), frame.table, surface), DrawStatus::kDrawn);
  EXPECT_EQ(surface.Pixel(319, 239), frame.Value(323, 239));
}

TEST(PresentationChoice, ExclusiveModeRefusedOrNoDirectDrawMeansGdi) {
  EXPECT_TRUE(PresentsThroughGdi(DirectDrawStart::kUnavailable));
  EXPECT_TRUE(PresentsThroughGdi(DirectDrawStart::kRefused));
  // Surfaces that are not there yet come back as after a loss.
  EXPECT_FALSE(PresentsThroughGdi(DirectDrawStart::kSurfacesPending));
  EXPECT_FALSE(PresentsThroughGdi(DirectDrawStart::kReady));
}

}  // namespace
}  // namespace velkaro
