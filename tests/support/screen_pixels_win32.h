#pragma once
// Pixels read back from the screen, a device context or a bitmap resource,
// for the tests that check what a window shows.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace velkaro::testing {

// Pixels as 0x00RRGGBB, rows top to bottom.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> values;
  std::uint32_t at(int x, int y) const {
    return values[std::size_t(y) * std::size_t(width) + std::size_t(x)];
  }
};

// Copies the rectangle at (left, top) of source into 32-bit pixels.
Pixels ReadPixels(HDC source, int left, int top, int width, int height);
// The pixels of a rectangle of the screen.
Pixels ScreenPixels(const RECT& rect);
// The bitmap resource id of module, or nothing when it has none.
std::optional<Pixels> BitmapResourcePixels(HMODULE module, int id);
// The colour that shows most often among a grid of 8 by 8 screen pixels
// spread over the primary screen.
COLORREF MostCommonScreenColour();
// How many pixels differ; -1 when the sizes differ.
int CountDifferent(const Pixels& a, const Pixels& b);

}  // namespace velkaro::testing
