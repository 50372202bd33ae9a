#include "effects/palette.h"

#include <algorithm>
#include <cmath>

#include "common/rounding.h"

namespace velkaro {
namespace {

// The fire table's ramps, one value per entry of each band.
constexpr std::array<std::uint8_t, 64> kFireRed = {
    0,   0,   0,   0,   0,   1,   1,   1,   2,   2,   3,   4,   5,   6,   7,   8,
    10,  11,  13,  15,  17,  19,  21,  23,  26,  28,  31,  34,  37,  40,  43,  47,
    50,  54,  58,  62,  66,  71,  77,  81,  87,  92,  97,  103, 108, 115, 120, 127,
    133, 140, 146, 154, 160, 168, 176, 183, 192, 200, 207, 217, 226, 233, 243, 255};
constexpr std::array<std::uint8_t, 64> kFireGreen = {
    0,   42,  57,  67,  76,  84,  91,  97,  103, 109, 114, 119, 124, 129, 133, 137,
    141, 144, 148, 152, 155, 158, 161, 164, 167, 170, 174, 177, 179, 182, 184, 187,
    189, 193, 195, 197, 199, 202, 204, 208, 210, 212, 214, 216, 218, 220, 223, 225,
    227, 228, 230, 232, 234, 237, 239, 240, 242, 244, 245, 247, 250, 251, 253, 255};
constexpr std::array<std::uint8_t, 96> kFireBlue = {
    0,   89,  103, 112, 121, 126, 131, 136, 140, 143, 146, 149, 153, 156, 158, 160,
    162, 164, 166, 168, 170, 173, 174, 176, 178, 179, 181, 182, 183, 185, 186, 187,
    188, 191, 192, 193, 194, 195, 196, 197, 198, 199, 200, 201, 202, 203, 204, 205,
    206, 208, 208, 209, 210, 211, 212, 213, 213, 214, 215, 216, 216, 217, 218, 218,
    219, 221, 223, 224, 225, 227, 228, 229, 230, 231, 233, 234, 235, 237, 238, 239,
    240, 241, 242, 243, 244, 245, 246, 247, 247, 248, 250, 251, 252, 253, 254, 254};

constexpr std::uint32_t Rgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
  return red * 65536 + green * 256 + blue;
}

// Every rounded palette component is a small value, so the conversion to int
// cannot overflow.
int Nearest(double v) { return static_cast<int>(nearest(v)); }

// Modes 1 and 2 start with the same red-to-orange band.
std::uint32_t OrangeBand(int i) { return PackLimited(255, i + 64, 0); }

std::uint32_t Mode1(int i) {
  if (i < 64) return OrangeBand(i);
  if (i < 128) {
    const int k = i - 64;
    return PackLimited(255, Nearest(k * 2.04 + 127), Nearest(k * 4.04));
  }
  const int c = 511 - 2 * i;
  return PackLimited(255, c, c);
}

std::uint32_t Mode2(int i) {
  if (i < 64) return OrangeBand(i);
  if (i < 192) {
    // i / 191 is a real division, done in double.
    const int v = Nearest(std::sin(i / 191.0 * 6.28) * 25 + 200);
    return PackLimited(255, v, v);
  }
  const int k = i - 192;
  return PackLimited(255, Nearest(255 - (k * 2.04 + 125)), Nearest(255 - k * 4.04));
}

std::uint32_t Mode5(int i) {
  const double s = std::sin(i / 255.0 * 64);
  // The third component is at least 256 for every i and so always limits to
  // 255; the look of the patterns relies on that.
  return PackLimited(0, Nearest(s * 127 + 128), Nearest(255 - s * 127 + 128));
}

template <typename Entry>
PaletteTable Computed(Entry entry) {
  PaletteTable table{};
  for (int i = 0; i < 256; ++i) table[i] = entry(i);
  return table;
}

}  // namespace

std::uint32_t PackLimited(int a, int b, int c) {
  // None of the formulas goes below 0; the lower limit only keeps a
  // component from spilling into its neighbours.
  auto limit = [](int v) { return static_cast<std::uint32_t>(std::clamp(v, 0, 255)); };
  return limit(a) + 256 * limit(b) + 65536 * limit(c);
}

PaletteTable FirePalette() {
  PaletteTable table{};
  for (int i = 0; i < 64; ++i) table[i] = Rgb(kFireRed[i], 0, 0);
  for (int i = 0; i < 64; ++i) table[64 + i] = Rgb(255, kFireGreen[i], 0);
  for (int i = 0; i < 96; ++i) table[128 + i] = Rgb(255, 255, kFireBlue[i]);
  for (int i = 224; i < 256; ++i) table[i] = Rgb(255, 255, 255);
  return table;
}

std::optional<PaletteTable> initpal(std::int32_t PalMode) {
  switch (PalMode) {
    case 0: return FirePalette();
    case 1: return Computed(Mode1);
    case 2: return Computed(Mode2);
    case 3: return Computed([](int i) { return PackLimited(i, i, i); });
    case 4: return Computed([](int i) { return PackLimited(255, i, i); });
    case 5: return Computed(Mode5);
    default: return std::nullopt;
  }
}

}  // namespace velkaro
