#pragma once
// The file formats the resource compiler takes pictures in: BMP for bitmaps,
// ICO for the window icon and CUR for the pointer. Every image is stored as
// an uncompressed 24-bit DIB, rows bottom to top, each row padded to four
// bytes, which every 32-bit Windows loads.
#include <cstdint>
#include <vector>

#include "rgb_image.h"

namespace velkaro::art_tool {

using Bytes = std::vector<std::uint8_t>;

// A BMP file: BITMAPFILEHEADER, BITMAPINFOHEADER, then the pixels.
Bytes EncodeBmp(const RgbImage& image);

// An ICO file with one entry per image, in the order given. Each image is
// square, 1 to 256 pixels wide.
Bytes EncodeIco(const std::vector<MaskedImage>& images);

// A CUR file with one image whose hot spot is (hot_x, hot_y) from its
// top-left corner.
Bytes EncodeCur(const MaskedImage& image, int hot_x, int hot_y);

}  // namespace velkaro::art_tool
