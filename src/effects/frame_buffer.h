#pragma once
// The frame buffer: the palette-index image the particles are plotted into,
// then filtered and presented. Its indexes run x 0..w and y 0..h, so it holds
// (w + 1) × (h + 1) bytes, x varying fastest, y growing downwards.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace velkaro {

class FrameBuffer {
 public:
  // Every byte starts at 0. Negative upper indexes give an empty buffer.
  FrameBuffer(std::int32_t w, std::int32_t h)
      : w_(w < 0 ? -1 : w), h_(h < 0 ? -1 : h), bytes_(std::size_t(w_ + 1) * std::size_t(h_ + 1)) {}

  std::int32_t w() const { return w_; }
  std::int32_t h() const { return h_; }

  // No bounds check: the callers plot only inside 0..w × 0..h.
  std::uint8_t& at(std::int32_t x, std::int32_t y) { return bytes_[offset(x, y)]; }
  std::uint8_t at(std::int32_t x, std::int32_t y) const { return bytes_[offset(x, y)]; }

  // The whole image, for the filters and the presentation.
  std::span<std::uint8_t> bytes() { return bytes_; }
  std::span<const std::uint8_t> bytes() const { return bytes_; }

  // One row y, w + 1 bytes.
  std::span<std::uint8_t> row(std::int32_t y) {
    return bytes().subspan(offset(0, y), row_length());
  }

  std::size_t row_length() const { return std::size_t(w_ + 1); }

 private:
  std::size_t offset(std::int32_t x, std::int32_t y) const {
    return std::size_t(y) * row_length() + std::size_t(x);
  }

  std::int32_t w_;
  std::int32_t h_;
  std::vector<std::uint8_t> bytes_;
};

}  // namespace velkaro
