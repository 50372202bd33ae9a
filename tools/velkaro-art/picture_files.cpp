#include "picture_files.h"

namespace velkaro::art_tool {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPixelsPerMetre = 2835;  // 72 dots per inch
constexpr std::uint32_t kDirectoryHeaderSize = 6;
constexpr std::uint32_t kDirectoryEntrySize = 16;

void Put16(Bytes& out, std::uint32_t v) {
  out.push_back(std::uint8_t(v));
  out.push_back(std::uint8_t(v >> 8));
}

void Put32(Bytes& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

std::uint32_t PaddedRow(std::uint32_t bytes) { return (bytes + 3) / 4 * 4; }

std::uint32_t ColourBytes(const RgbImage& image) {
  return PaddedRow(std::uint32_t(image.width()) * 3) * std::uint32_t(image.height());
}

std::uint32_t MaskBytes(const RgbImage& image) {
  return PaddedRow((std::uint32_t(image.width()) + 7) / 8) * std::uint32_t(image.height());
}

// BITMAPINFOHEADER. In an icon or pointer the height counts the colour
// image and the mask below it, so it is twice the picture's.
void PutInfoHeader(Bytes& out, const RgbImage& image, int stored_height,
                   std::uint32_t image_bytes) {
  Put32(out, kInfoHeaderSize);
  Put32(out, std::uint32_t(image.width()));
  Put32(out, std::uint32_t(stored_height));  // positive: rows bottom to top
  Put16(out, 1);                             // planes
  Put16(out, 24);                            // bits per pixel
  Put32(out, 0);                             // BI_RGB
  Put32(out, image_bytes);
  Put32(out, kPixelsPerMetre);
  Put32(out, kPixelsPerMetre);
  Put32(out, 0);  // colours used
  Put32(out, 0);  // colours important
}

// Blue, green, red per pixel, bottom row first. A masked-out pixel is stored
// black, so that the mask's AND and this XOR leave the screen as it was.
void PutColourRows(Bytes& out, const RgbImage& image, const MaskedImage* masked) {
  const std::uint32_t padding =
      PaddedRow(std::uint32_t(image.width()) * 3) - std::uint32_t(image.width()) * 3;
  for (int y = image.height() - 1; y >= 0; --y) {
    for (int x = 0; x < image.width(); ++x) {
      const Rgb p = masked && !masked->is_opaque(x, y) ? Rgb{} : image.at(x, y);
      out.push_back(p.b);
      out.push_back(p.g);
      out.push_back(p.r);
    }
    out.insert(out.end(), padding, 0);
  }
}

// One bit per pixel, the leftmost in the top bit; 1 shows the screen.
void PutMaskRows(Bytes& out, const MaskedImage& image) {
  const int width = image.colour.width();
  const std::uint32_t row_bytes = PaddedRow((std::uint32_t(width) + 7) / 8);
  for (int y = image.colour.height() - 1; y >= 0; --y) {
    Bytes row(row_bytes, 0);
    for (int x = 0; x < width; ++x)
      if (!image.is_opaque(x, y)) row[std::size_t(x / 8)] |= std::uint8_t(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
}

std::uint32_t IconImageBytes(const MaskedImage& image) {
  return kInfoHeaderSize + ColourBytes(image.colour) + MaskBytes(image.colour);
}

Bytes IconImage(const MaskedImage& image) {
  Bytes out;
  PutInfoHeader(out, image.colour, image.colour.height() * 2,
                ColourBytes(image.colour) + MaskBytes(image.colour));
  PutColourRows(out, image.colour, &image);
  PutMaskRows(out, image);
  return out;
}

// The icon directory shared by ICO (type 1) and CUR (type 2). An entry's
// two 16-bit fields after the colour count are planes and bit count in an
// icon and the hot spot in a pointer.
struct EntryFields {
  std::uint16_t first = 0;
  std::uint16_t second = 0;
};

Bytes IconDirectory(std::uint16_t type, const std::vector<MaskedImage>& images,
                    const std::vector<EntryFields>& fields) {
  Bytes out;
  Put16(out, 0);
  Put16(out, type);
  Put16(out, std::uint16_t(images.size()));
  std::uint32_t offset = kDirectoryHeaderSize + kDirectoryEntrySize * std::uint32_t(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const int size = images[i].colour.width();
    out.push_back(std::uint8_t(size == 256 ? 0 : size));  // 0 stands for 256
    out.push_back(std::uint8_t(images[i].colour.height() == 256 ? 0 : images[i].colour.height()));
    out.push_back(0);  // colour count: not a palette image
    out.push_back(0);
    Put16(out, fields[i].first);
    Put16(out, fields[i].second);
    Put32(out, IconImageBytes(images[i]));
    Put32(out, offset);
    offset += IconImageBytes(images[i]);
  }
  for (const auto& image : images) {
    const Bytes data = IconImage(image);
    out.insert(out.end(), data.begin(), data.end());
  }
  return out;
}

}  // namespace

Bytes EncodeBmp(const RgbImage& image) {
  Bytes out;
  const std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
  out.push_back('B');
  out.push_back('M');
  Put32(out, offset + ColourBytes(image));
  Put32(out, 0);  // two reserved words
  Put32(out, offset);
  PutInfoHeader(out, image, image.height(), ColourBytes(image));
  PutColourRows(out, image, nullptr);
  return out;
}

Bytes EncodeIco(const std::vector<MaskedImage>& images) {
  return IconDirectory(1, images, std::vector<EntryFields>(images.size(), EntryFields{1, 24}));
}

Bytes EncodeCur(const MaskedImage& image, int hot_x, int hot_y) {
  return IconDirectory(2, {image}, {EntryFields{std::uint16_t(hot_x), std::uint16_t(hot_y)}});
}

}  // namespace velkaro::art_tool
