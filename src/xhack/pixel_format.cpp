#include "xhack/pixel_format.h"

#include <bit>
#include <cstdio>

#include "effects/presentation.h"

namespace velkaro::xhack {
namespace {

constexpr std::uint32_t kWindowsRed = 0xFF0000, kWindowsGreen = 0x00FF00, kWindowsBlue = 0x0000FF;

bool IsByteChannel(std::uint32_t mask) {
  // Eight contiguous bits on a byte boundary.
  const int shift = std::countr_zero(mask);
  return mask != 0 && shift % 8 == 0 && (mask >> shift) == 0xFF;
}

bool Is565(const PixelFormat& f) {
  return f.depth == 16 && f.bits_per_pixel == 16 && f.red_mask == 0xF800 &&
         f.green_mask == 0x07E0 && f.blue_mask == 0x001F;
}

bool Is888(const PixelFormat& f) {
  return (f.depth == 24 || f.depth == 32) && (f.bits_per_pixel == 24 || f.bits_per_pixel == 32) &&
         IsByteChannel(f.red_mask) && IsByteChannel(f.green_mask) && IsByteChannel(f.blue_mask) &&
         (f.red_mask | f.green_mask | f.blue_mask) == (f.red_mask ^ f.green_mask ^ f.blue_mask);
}

// One 8-bit channel of a value in the Windows layout moved to its mask.
std::uint32_t MoveChannel(std::uint32_t value, std::uint32_t from_mask, std::uint32_t to_mask) {
  const std::uint32_t channel = (value & from_mask) >> std::countr_zero(from_mask);
  return channel << std::countr_zero(to_mask);
}

std::uint32_t Reordered(std::uint32_t value, const PixelFormat& f) {
  return MoveChannel(value, kWindowsRed, f.red_mask) |
         MoveChannel(value, kWindowsGreen, f.green_mask) |
         MoveChannel(value, kWindowsBlue, f.blue_mask);
}

std::uint32_t ByteSwapped(std::uint32_t value, int bytes) {
  std::uint32_t swapped = 0;
  for (int b = 0; b < bytes; ++b) swapped |= ((value >> (8 * b)) & 0xFF) << (8 * (bytes - 1 - b));
  return swapped;
}

}  // namespace

bool IsSupported(const PixelFormat& format) {
  return format.true_color && (Is565(format) || Is888(format));
}

std::string Unsupported(const PixelFormat& f) {
  char line[200];
  std::snprintf(line, sizeof line,
                "the window's visual (%s, depth %d, %d bits a pixel, masks %06X %06X %06X) is not "
                "one Velkaro can show: it needs 24- or 32-bit TrueColor, or 16-bit 5-6-5",
                f.true_color ? "TrueColor" : "not TrueColor", f.depth, f.bits_per_pixel,
                unsigned(f.red_mask), unsigned(f.green_mask), unsigned(f.blue_mask));
  return line;
}

std::optional<PaletteTable> VisualPalette(const PaletteTable& PalLUT, const PixelFormat& format) {
  if (!IsSupported(format)) return std::nullopt;
  // The 16-bit conversion is the saver's own; 24 and 32 bits take PalLUT as
  // the saver writes it, moved only where the visual orders its channels
  // differently.
  PaletteTable table = DisplayPalette(PalLUT, std::uint32_t(format.depth == 16 ? 16 : 32));
  const std::uint32_t rgb = format.red_mask | format.green_mask | format.blue_mask;
  const std::uint32_t alpha = format.depth == 32 ? ~rgb : 0;
  const bool windows_order =
      Is565(format) || (format.red_mask == kWindowsRed && format.green_mask == kWindowsGreen &&
                        format.blue_mask == kWindowsBlue);
  for (std::uint32_t& value : table) {
    if (!windows_order) value = Reordered(value, format);
    value |= alpha;
    if (format.msb_first) value = ByteSwapped(value, format.bits_per_pixel / 8);
  }
  return table;
}

}  // namespace velkaro::xhack
