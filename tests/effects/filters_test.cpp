#include "effects/filters.h"

#include <gtest/gtest.h>

#include <vector>

namespace velkaro {
namespace {

// A small frame buffer with upper indexes w and h, x varying fastest.
struct Buffer {
  Buffer(int w_, int h_, std::uint8_t fill) : w(w_), h(h_), bytes((w_ + 1) * (h_ + 1), fill) {}
  std::uint8_t& at(int x, int y) { return bytes[y * (w + 1) + x]; }
  bool ClearEdge() { return vbClearEdge(w, h, bytes); }
  bool Blur() { return vbBlurImg(w, h, bytes); }

  int w, h;
  std::vector<std::uint8_t> bytes;
};

TEST(ClearEdge, ZeroesTheBorderAndNothingElse) {
  Buffer buf(8, 5, 7);
  EXPECT_TRUE(buf.ClearEdge());
  for (int y = 0; y <= 5; ++y) {
    for (int x = 0; x <= 8; ++x) {
      const bool border = x == 0 || x == 8 || y == 0 || y == 5;
      EXPECT_EQ(buf.at(x, y), border ? 0 : 7) << x << "," << y;
    }
  }
}

TEST(ClearEdge, DegenerateAndBadShapes) {
  Buffer one(0, 0, 9);
  EXPECT_TRUE(one.ClearEdge());
  EXPECT_EQ(one.at(0, 0), 0);

  std::vector<std::uint8_t> short_buf(10, 9);  // 3 × 4 would need 12 bytes
  EXPECT_FALSE(vbClearEdge(2, 3, short_buf));
  EXPECT_FALSE(vbClearEdge(-1, 3, short_buf));
  EXPECT_EQ(short_buf, std::vector<std::uint8_t>(10, 9));
}

TEST(BlurImg, UniformBufferIsUnchanged) {
  for (int value : {0, 1, 9, 128, 255}) {
    Buffer buf(8, 8, std::uint8_t(value));
    ASSERT_TRUE(buf.Blur());
    EXPECT_EQ(buf.bytes, Buffer(8, 8, std::uint8_t(value)).bytes) << value;
  }
}

TEST(BlurImg, OneInteriorPixelIsTheMeanRoundedDown) {
  Buffer buf(2, 2, 10);
  buf.at(1, 1) = 100;
  buf.at(2, 2) = 6;
  buf.Blur();
  EXPECT_EQ(buf.at(1, 1), (7 * 10 + 100 + 6) / 9);  // 176 / 9 = 19.5...
  EXPECT_EQ(buf.at(2, 2), 6);
}

TEST(BlurImg, NeverWritesTheBorder) {
  Buffer buf(6, 5, 0);
  for (int x = 0; x <= 6; ++x) buf.at(x, 0) = buf.at(x, 5) = 200;
  for (int y = 0; y <= 5; ++y) buf.at(0, y) = buf.at(6, y) = 100;
  const Buffer before = buf;
  buf.Blur();
  for (int x = 0; x <= 6; ++x) {
    EXPECT_EQ(buf.at(x, 0), before.bytes[x]);
    EXPECT_EQ(buf.at(x, 5), before.bytes[5 * 7 + x]);
  }
  for (int y = 0; y <= 5; ++y) {
    EXPECT_EQ(buf.at(0, y), before.bytes[y * 7]);
    EXPECT_EQ(buf.at(6, y), before.bytes[y * 7 + 6]);
  }
  // The border is read: the corner pixel (1, 1) sees 200 + 200 + 100 + 100 + 100.
  EXPECT_EQ(buf.at(1, 1), 700 / 9);
}

// Row 5 is computed from row 4 as this pass left it: the 9s there do not
// reach it, since (8 × 6 + 9 × 3) / 9 = 8.
TEST(BlurImg, RowBelowSeesTheFilteredRowAbove) {
  Buffer buf(8, 8, 8);
  buf.at(4, 4) = 17;
  buf.Blur();
  for (int y = 0; y <= 8; ++y) {
    for (int x = 0; x <= 8; ++x) {
      const bool nine = (y == 3 || y == 4) && x >= 3 && x <= 5;
      EXPECT_EQ(buf.at(x, y), nine ? 9 : 8) << x << "," << y;
    }
  }
}

// Worked by hand: row 3 is 255 / 9 = 28 over x 3..5; row 4 adds those 28s
// above the 255 in the sums; rows 5 and 6 see only filtered rows above, so
// the spot smears downwards, and the pass stops at row 7.
TEST(BlurImg, SinglePixelSmearsDownwards) {
  Buffer buf(8, 8, 0);
  buf.at(4, 4) = 255;
  buf.Blur();
  const int expected[9][9] = {
      {0, 0, 0, 0, 0, 0, 0, 0, 0},    {0, 0, 0, 0, 0, 0, 0, 0, 0},    {0, 0, 0, 0, 0, 0, 0, 0, 0},
      {0, 0, 0, 28, 28, 28, 0, 0, 0}, {0, 0, 3, 34, 37, 34, 3, 0, 0}, {0, 0, 4, 8, 11, 8, 4, 0, 0},
      {0, 0, 1, 2, 3, 2, 1, 0, 0},    {0, 0, 0, 0, 0, 0, 0, 0, 0},    {0, 0, 0, 0, 0, 0, 0, 0, 0}};
  for (int y = 0; y <= 8; ++y) {
    for (int x = 0; x <= 8; ++x) EXPECT_EQ(buf.at(x, y), expected[y][x]) << x << "," << y;
  }
}

// A cleared edge makes every pass lose a little: the trails fade to 0.
TEST(BlurImg, RepeatedPassesFadeToBlackInsideAClearedEdge) {
  Buffer buf(10, 10, 255);
  buf.ClearEdge();
  int total_before = 0;
  for (auto b : buf.bytes) total_before += b;
  buf.Blur();
  int total_after = 0;
  for (auto b : buf.bytes) total_after += b;
  EXPECT_LT(total_after, total_before);
  for (int pass = 0; pass < 400; ++pass) buf.Blur();
  EXPECT_EQ(buf.bytes, Buffer(10, 10, 0).bytes);
}

TEST(BlurImg, TooNarrowOrBadShapesWriteNothing) {
  for (auto [w, h] : {std::pair{1, 5}, {5, 1}, {0, 0}}) {
    Buffer buf(w, h, 50);
    buf.at(0, 0) = 0;
    const Buffer before = buf;
    EXPECT_TRUE(buf.Blur());
    EXPECT_EQ(buf.bytes, before.bytes) << w << "x" << h;
  }
  std::vector<std::uint8_t> short_buf(80, 1);
  short_buf[10] = 200;
  EXPECT_FALSE(vbBlurImg(8, 8, short_buf));
  EXPECT_EQ(short_buf[10], 200);
  EXPECT_FALSE(vbBlurImg(8, -2, short_buf));
}

}  // namespace
}  // namespace velkaro
