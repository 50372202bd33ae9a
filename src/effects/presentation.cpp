#include "effects/presentation.h"

#include <algorithm>
#include <utility>

#include "effects/random.h"

namespace velkaro {
namespace {

bool FitsShape(std::int32_t w, std::int32_t h, std::size_t size) {
  if (w < 0 || h < 0) return false;
  return (std::uint64_t(w) + 1) * (std::uint64_t(h) + 1) <= size;
}

// One edge pair of the rectangle cut to the array: both ends within
// 0..upper, in order.
void LimitToArray(std::int32_t& low, std::int32_t& high, std::int32_t upper) {
  low = std::clamp(low, std::int32_t{0}, std::max(upper, std::int32_t{0}));
  high = std::clamp(high, std::int32_t{0}, std::max(upper, std::int32_t{0}));
  if (high < low) std::swap(low, high);
}

// One axis of the cut to the surface. A destination before the surface's
// start skips as many source pixels as lie before it, and the span is cut at
// the surface's far edge. (Both are measured from the rectangle's own start,
// so pixels always land at dest + x - low inside 0..size - 1.)
void LimitToSurface(std::int32_t& low, std::int32_t& high, std::int32_t& dest, std::int32_t size) {
  std::int64_t first = low;
  std::int64_t last = high;
  std::int64_t at = dest;
  if (at < 0) {
    first -= at;
    at = 0;
  }
  last = std::min(last, first + std::max<std::int64_t>(size - at, 0));
  if (last <= first) first = last = high;  // nothing lands on the surface
  low = std::int32_t(first);
  high = std::int32_t(last);
  dest = std::int32_t(at);
}

void PutPixel(std::uint8_t* at, std::uint32_t value, int bytes) {
  for (int b = 0; b < bytes; ++b) at[b] = static_cast<std::uint8_t>(value >> (8 * b));
}

template <int Bytes>
void CopyRows(const IndexImage& array, const PaletteTable& values, const ArrayCopy& copy,
              const LockedPixels& pixels) {
  const Rect& r = copy.source;
  for (std::int32_t y = r.top; y < r.bottom; ++y) {
    std::uint8_t* out = pixels.bits + std::ptrdiff_t(copy.dest_y + y - r.top) * pixels.pitch +
                        std::ptrdiff_t(copy.dest_x) * Bytes;
    const std::uint8_t* in = &array.bytes[std::size_t(y) * (std::size_t(array.w) + 1)];
    for (std::int32_t x = r.left; x < r.right; ++x, out += Bytes) {
      PutPixel(out, values[in[x]], Bytes);
    }
  }
}

void CopyToLocked(const IndexImage& array, const PaletteTable& values, const ArrayCopy& copy,
                  const LockedPixels& pixels) {
  switch (pixels.bytes_per_pixel) {
    case 1: return CopyRows<1>(array, values, copy, pixels);
    case 2: return CopyRows<2>(array, values, copy, pixels);
    case 3: return CopyRows<3>(array, values, copy, pixels);
    default: return CopyRows<4>(array, values, copy, pixels);
  }
}

// Unlocks the surface however the copy ends.
class LockGuard {
 public:
  explicit LockGuard(Surface& surface) : surface_(surface), pixels_(surface.Lock()) {}
  ~LockGuard() {
    if (pixels_) surface_.Unlock();
  }
  LockGuard(const LockGuard&) = delete;
  LockGuard& operator=(const LockGuard&) = delete;
  const std::optional<LockedPixels>& pixels() const { return pixels_; }

 private:
  Surface& surface_;
  std::optional<LockedPixels> pixels_;
};

}  // namespace

bool FillNoise(std::int32_t w, std::int32_t h, std::span<std::uint8_t> buf, Random& random) {
  if (!FitsShape(w, h, buf.size())) return false;
  const std::size_t stride = std::size_t(w) + 1;
  for (std::size_t x = 0; x <= std::size_t(w); ++x) {
    for (std::size_t y = 0; y <= std::size_t(h); ++y) {
      buf[y * stride + x] = static_cast<std::uint8_t>(random.next_below(255));
    }
  }
  return true;
}

std::int32_t To565(std::uint32_t v) {
  const std::uint32_t b0 = v & 0xFF, b1 = (v >> 8) & 0xFF, b2 = (v >> 16) & 0xFF;
  return std::int32_t((b2 / 8) * 2048 + (b1 / 4) * 32 + b0 / 8);
}

void PalTo565(PaletteTable& PalLUT) {
  for (std::uint32_t& entry : PalLUT) entry = std::uint32_t(To565(entry));
}

PaletteTable DisplayPalette(const PaletteTable& PalLUT, std::uint32_t rgb_bit_count) {
  PaletteTable table = PalLUT;
  if (rgb_bit_count == 16) PalTo565(table);
  return table;
}

Rect RenderRect(std::int32_t W, std::int32_t H) { return {4, 0, W + 4, H}; }

std::optional<ArrayCopy> ClipArrayCopy(Rect rect, std::int32_t upper_x, std::int32_t upper_y,
                                       std::int32_t dest_x, std::int32_t dest_y,
                                       std::int32_t surface_w, std::int32_t surface_h) {
  LimitToArray(rect.left, rect.right, upper_x);
  LimitToArray(rect.top, rect.bottom, upper_y);
  if (rect.left == rect.right || rect.top == rect.bottom) return std::nullopt;
  ArrayCopy copy{rect, dest_x, dest_y};
  LimitToSurface(copy.source.left, copy.source.right, copy.dest_x, std::max(surface_w, 0));
  LimitToSurface(copy.source.top, copy.source.bottom, copy.dest_y, std::max(surface_h, 0));
  return copy;
}

DrawStatus DrawArray(const IndexImage& array, const PaletteTable& values, std::int32_t destX,
                     std::int32_t destY, Rect rectangle, Surface& surface) {
  if (array.bytes == nullptr) return DrawStatus::kEmpty;
  const auto copy =
      ClipArrayCopy(rectangle, array.w, array.h, destX, destY, surface.Width(), surface.Height());
  if (!copy) return DrawStatus::kEmpty;
  const Rect& r = copy->source;
  if (r.left == r.right || r.top == r.bottom) return DrawStatus::kDrawn;
  LockGuard lock(surface);
  if (!lock.pixels()) return DrawStatus::kUnavailable;
  CopyToLocked(array, values, *copy, *lock.pixels());
  return DrawStatus::kDrawn;
}

bool PresentsThroughGdi(DirectDrawStart start) {
  return start == DirectDrawStart::kRefused || start == DirectDrawStart::kUnavailable;
}

DrawStatus render(const IndexImage& FrameBuf, const PaletteTable& PalLUT, Surface& surface) {
  return DrawArray(FrameBuf, PalLUT, 0, 0, RenderRect(FrameBuf.w, FrameBuf.h), surface);
}

}  // namespace velkaro
