#include "effects/stretched_frame.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "effects/presentation.h"

namespace velkaro {
namespace {

constexpr std::int32_t W = 324;
constexpr std::int32_t H = 244;

// A frame buffer whose bytes depend on their column and row, and a table
// that keeps the index in the low byte and marks it in the others, so that
// every window pixel tells which buffer byte it shows (up to 256).
struct NumberedFrame {
  explicit NumberedFrame(int seed) : bytes((W + 1) * (H + 1)) {
    for (int y = 0; y <= H; ++y)
      for (int x = 0; x <= W; ++x)
        bytes[std::size_t(y * (W + 1) + x)] = std::uint8_t(x * 7 + y * 13 + seed);
    for (int i = 0; i < 256; ++i) table[std::size_t(i)] = 0x00AB0000u | std::uint32_t(i);
  }
  IndexImage image() const { return {bytes.data(), W, H}; }
  std::vector<std::uint8_t> bytes;
  PaletteTable table{};
};

std::uint32_t PixelAt(const PixelRows& rows, std::int32_t x, std::int32_t y) {
  std::uint32_t value = 0;
  std::memcpy(&value, rows.bits + y * rows.pitch + x * 4, 4);
  return value;
}

// Window pixel (x, y) shows the picture pixel under its centre, and picture
// pixel (0, 0) is buffer byte (4, 0): the same mapping as the DirectDraw
// blit of the off-screen surface that render fills.
TEST(StretchedFrame, EveryWindowPixelShowsTheBufferByteUnderItsCentre) {
  NumberedFrame numbered(0);
  StretchedFrame frame;
  frame.NewFrame(numbered.image(), numbered.table);
  for (auto [w, h] : {std::pair{1023, 767}, std::pair{333, 217}, std::pair{200, 150}}) {
    const PixelRows rows = frame.StretchedTo(w, h);
    ASSERT_NE(rows.bits, nullptr);
    EXPECT_EQ(rows.pitch, w * 4);
    const auto columns = SourceIndexes(320, w), lines = SourceIndexes(240, h);
    for (std::int32_t y = 0; y < h; y += 3)
      for (std::int32_t x = 0; x < w; ++x) {
        const std::uint8_t byte =
            numbered.image().at(columns[std::size_t(x)] + 4, lines[std::size_t(y)]);
        ASSERT_EQ(PixelAt(rows, x, y), numbered.table[byte])
            << w << "x" << h << " at " << x << "," << y;
      }
  }
}

// Windows and covers of one size share a stretch, made once per frame; a
// new frame is stretched anew when first asked for.
TEST(StretchedFrame, EachSizeIsStretchedOncePerFrame) {
  NumberedFrame first(0), second(100);
  StretchedFrame frame;
  frame.NewFrame(first.image(), first.table);
  const PixelRows a = frame.StretchedTo(640, 480);
  frame.StretchedTo(640, 480);
  frame.StretchedTo(800, 600);
  EXPECT_EQ(frame.stretches_made(), 2u);
  const std::uint32_t before = PixelAt(a, 10, 10);

  frame.NewFrame(second.image(), second.table);
  const PixelRows b = frame.StretchedTo(640, 480);
  EXPECT_EQ(frame.stretches_made(), 3u);
  EXPECT_NE(PixelAt(b, 10, 10), before) << "the second frame shows the first";
  EXPECT_EQ(PixelAt(b, 10, 10), second.table[second.image().at(4 + 5, 5)]);
}

// A monitor that goes away or changes its resolution leaves no stretch of
// its old size behind once a whole frame went by without it.
TEST(StretchedFrame, SizesNoWindowShowsAnyMoreAreLetGo) {
  NumberedFrame numbered(0);
  StretchedFrame frame;
  frame.NewFrame(numbered.image(), numbered.table);
  frame.StretchedTo(1024, 768);
  frame.StretchedTo(800, 600);
  EXPECT_EQ(frame.sizes_held(), 2u);
  frame.NewFrame(numbered.image(), numbered.table);
  frame.StretchedTo(1024, 768);
  EXPECT_EQ(frame.sizes_held(), 2u) << "let go before a whole frame went by";
  frame.NewFrame(numbered.image(), numbered.table);
  EXPECT_EQ(frame.sizes_held(), 1u);
  EXPECT_EQ(frame.StretchedTo(0, 768).bits, nullptr);
  EXPECT_EQ(frame.StretchedTo(-5, 10).bits, nullptr);
}

}  // namespace
}  // namespace velkaro
