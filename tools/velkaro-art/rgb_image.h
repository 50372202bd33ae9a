#pragma once
// The pictures the artwork generator works with: 8-bit RGB, rows top to
// bottom, and the same with a per-pixel mask for icons and pointers.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velkaro::art_tool {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;

  bool operator==(const Rgb&) const = default;
};

class RgbImage {
 public:
  RgbImage(int width, int height, Rgb fill = {})
      : width_(width), height_(height), pixels_(std::size_t(width) * std::size_t(height), fill) {}

  int width() const { return width_; }
  int height() const { return height_; }
  Rgb at(int x, int y) const { return pixels_[index(x, y)]; }
  void set(int x, int y, Rgb colour) { pixels_[index(x, y)] = colour; }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  bool operator==(const RgbImage&) const = default;

 private:
  std::size_t index(int x, int y) const {
    return std::size_t(y) * std::size_t(width_) + std::size_t(x);
  }

  int width_;
  int height_;
  std::vector<Rgb> pixels_;
};

// An icon or pointer image: pixels where `opaque` is false show the screen
// behind them.
struct MaskedImage {
  RgbImage colour;
  std::vector<bool> opaque;  // one per pixel, rows top to bottom

  explicit MaskedImage(int size)
      : colour(size, size), opaque(std::size_t(size) * std::size_t(size)) {}
  bool is_opaque(int x, int y) const {
    return opaque[std::size_t(y) * std::size_t(colour.width()) + std::size_t(x)];
  }
  void paint(int x, int y, Rgb c) {
    colour.set(x, y, c);
    opaque[std::size_t(y) * std::size_t(colour.width()) + std::size_t(x)] = true;
  }
};

}  // namespace velkaro::art_tool
