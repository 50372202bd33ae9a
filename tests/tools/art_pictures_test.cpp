// The artwork generator's building blocks: the shrinking of engine frames
// and the picture file formats, checked byte by byte.
#include <gtest/gtest.h>

#include "drawn_art.h"
#include "picture_files.h"
#include "scale.h"

namespace velkaro::art_tool {
namespace {

std::uint32_t Read16(const Bytes& b, std::size_t at) { return b[at] | (b[at + 1] << 8); }
std::uint32_t Read32(const Bytes& b, std::size_t at) {
  return Read16(b, at) | (Read16(b, at + 2) << 16);
}

TEST(DownscaleByArea, AveragesWholeAndCutPixels) {
  RgbImage uniform(320, 240, {200, 100, 7});
  const RgbImage small = DownscaleByArea(uniform, 60, 45);
  ASSERT_EQ(small.width(), 60);
  ASSERT_EQ(small.height(), 45);
  for (int y = 0; y < 45; ++y)
    for (int x = 0; x < 60; ++x) ASSERT_EQ(small.at(x, y), (Rgb{200, 100, 7})) << x << "," << y;

  // Three columns 0, 90, 255 into two: the middle one is cut in half.
  RgbImage columns(3, 1);
  columns.set(1, 0, {90, 90, 90});
  columns.set(2, 0, {255, 255, 255});
  const RgbImage halves = DownscaleByArea(columns, 2, 1);
  EXPECT_EQ(halves.at(0, 0).r, 30);   // (0 · 1 + 90 · 0.5) / 1.5
  EXPECT_EQ(halves.at(1, 0).r, 200);  // (90 · 0.5 + 255 · 1) / 1.5

  // A 2 × 2 block into one pixel is the plain mean, a half going to even.
  RgbImage block(2, 2);
  block.set(0, 0, {1, 0, 0});
  block.set(1, 0, {1, 0, 0});
  EXPECT_EQ(DownscaleByArea(block, 1, 1).at(0, 0).r, 0);  // 0.5 rounds to 0
}

TEST(PictureFiles, BmpIsBottomUpBgrWithPaddedRows) {
  RgbImage image(13, 2);        // 39 bytes a row, padded to 40
  image.set(0, 0, {1, 2, 3});   // top left
  image.set(12, 1, {4, 5, 6});  // bottom right
  const Bytes bmp = EncodeBmp(image);
  ASSERT_EQ(bmp.size(), 54u + 80u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(Read32(bmp, 2), bmp.size());
  EXPECT_EQ(Read32(bmp, 10), 54u);  // pixels after the two headers
  EXPECT_EQ(Read32(bmp, 14), 40u);
  EXPECT_EQ(Read32(bmp, 18), 13u);
  EXPECT_EQ(Read32(bmp, 22), 2u);  // positive height: bottom row first
  EXPECT_EQ(Read16(bmp, 26), 1u);
  EXPECT_EQ(Read16(bmp, 28), 24u);
  EXPECT_EQ(Read32(bmp, 30), 0u);  // uncompressed
  EXPECT_EQ(Read32(bmp, 34), 80u);
  // The bottom row comes first, so the bottom-right pixel ends the first row.
  EXPECT_EQ(bmp[54 + 36], 6);
  EXPECT_EQ(bmp[54 + 37], 5);
  EXPECT_EQ(bmp[54 + 38], 4);
  EXPECT_EQ(bmp[54 + 39], 0);  // padding
  EXPECT_EQ(bmp[54 + 40], 3);  // then the top row, blue first
  EXPECT_EQ(bmp[54 + 41], 2);
  EXPECT_EQ(bmp[54 + 42], 1);
}

// Checks one directory entry and its image, returning the image's offset.
std::uint32_t ExpectIconEntry(const Bytes& file, int index, int size) {
  const std::size_t entry = 6 + 16 * std::size_t(index);
  EXPECT_EQ(file[entry], size);
  EXPECT_EQ(file[entry + 1], size);
  const std::uint32_t bytes = Read32(file, entry + 8);
  const std::uint32_t offset = Read32(file, entry + 12);
  EXPECT_LE(std::size_t(offset) + bytes, file.size());
  const std::uint32_t row = (std::uint32_t(size) * 3 + 3) / 4 * 4;
  const std::uint32_t mask_row = (std::uint32_t(size) + 31) / 32 * 4;
  EXPECT_EQ(bytes, 40 + (row + mask_row) * std::uint32_t(size));
  EXPECT_EQ(Read32(file, offset), 40u);
  EXPECT_EQ(Read32(file, offset + 4), std::uint32_t(size));
  EXPECT_EQ(Read32(file, offset + 8), 2u * std::uint32_t(size));  // colour and mask
  EXPECT_EQ(Read16(file, offset + 14), 24u);
  return offset;
}

TEST(PictureFiles, IcoHoldsEveryImageWithItsMask) {
  const Bytes ico = EncodeIco({WindowIcon(32), WindowIcon(16)});
  EXPECT_EQ(Read16(ico, 0), 0u);
  EXPECT_EQ(Read16(ico, 2), 1u);  // an icon
  EXPECT_EQ(Read16(ico, 4), 2u);
  const std::uint32_t first = ExpectIconEntry(ico, 0, 32);
  const std::uint32_t second = ExpectIconEntry(ico, 1, 16);
  EXPECT_EQ(first, 6u + 32u);
  EXPECT_EQ(second, first + Read32(ico, 6 + 8));
  EXPECT_EQ(std::size_t(second) + Read32(ico, 6 + 16 + 8), ico.size());
  EXPECT_EQ(Read16(ico, 6 + 4), 1u);   // planes
  EXPECT_EQ(Read16(ico, 6 + 6), 24u);  // bits per pixel
}

TEST(PictureFiles, CurCarriesTheHotSpotAndMasksTheBackground) {
  MaskedImage pointer(32);
  pointer.paint(12, 10, {255, 255, 255});
  const Bytes cur = EncodeCur(pointer, 12, 10);
  EXPECT_EQ(Read16(cur, 2), 2u);  // a pointer
  EXPECT_EQ(Read16(cur, 4), 1u);
  EXPECT_EQ(Read16(cur, 6 + 4), 12u);
  EXPECT_EQ(Read16(cur, 6 + 6), 10u);
  const std::uint32_t image = ExpectIconEntry(cur, 0, 32);
  // The mask follows 32 colour rows of 96 bytes, bottom row first: row 10
  // from the top is stored 21st. Only pixel 12 of it is opaque.
  const std::size_t mask = image + 40 + 96 * 32;
  const std::size_t row10 = mask + 4 * (31 - 10);
  EXPECT_EQ(cur[row10], 0xFF);
  EXPECT_EQ(cur[row10 + 1], 0xF7);  // bit 0x08 of the second byte is x = 12
  EXPECT_EQ(cur[mask], 0xFF);
  // A masked-out pixel's colour is black, so that the screen shows through.
  EXPECT_EQ(cur[image + 40], 0);
}

TEST(DrawnArt, HaveTheirSizesAndShowTheirState) {
  EXPECT_EQ(PanelTile().width(), 579);
  EXPECT_EQ(PanelTile().height(), 21);
  for (bool on : {false, true}) {
    EXPECT_EQ(CheckBox(on).width(), 12);
    EXPECT_EQ(CheckBox(on).height(), 12);
    EXPECT_EQ(OptionMark(on).width(), 13);
    EXPECT_EQ(OptionMark(on).height(), 13);
  }
  EXPECT_NE(CheckBox(false), CheckBox(true));
  EXPECT_NE(OptionMark(false), OptionMark(true));
  // The tile repeats downwards without a seam: its diagonal grain runs on
  // from the last row into the first.
  const RgbImage tile = PanelTile();
  for (int x = 0; x + 1 < tile.width(); ++x)
    ASSERT_EQ(tile.at(x, 0), tile.at(x + 1, tile.height() - 1)) << x;
}

TEST(DrawnArt, HandPointsWithItsHotSpot) {
  const MaskedImage hand = HandPointer();
  ASSERT_EQ(hand.colour.width(), 32);
  EXPECT_TRUE(hand.is_opaque(kHandHotX, kHandHotY));
  EXPECT_FALSE(hand.is_opaque(kHandHotX, kHandHotY - 1));  // nothing above the tip
  EXPECT_FALSE(hand.is_opaque(0, 0));
  EXPECT_FALSE(hand.is_opaque(31, 31));
}

}  // namespace
}  // namespace velkaro::art_tool
