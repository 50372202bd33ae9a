#include "support/screen_pixels_win32.h"

#include <algorithm>
#include <map>

namespace velkaro::testing {

Pixels ReadPixels(HDC source, int left, int top, int width, int height) {
  Pixels pixels{width, height,
                std::vector<std::uint32_t>(std::size_t(width) * std::size_t(height))};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC memory = CreateCompatibleDC(source);
  HBITMAP target = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, target);
  BitBlt(memory, 0, 0, width, height, source, left, top, SRCCOPY);
  GdiFlush();
  const auto* words = static_cast<const std::uint32_t*>(bits);
  for (std::size_t i = 0; i < pixels.values.size(); ++i) pixels.values[i] = words[i] & 0xFFFFFF;
  SelectObject(memory, old);
  DeleteObject(target);
  DeleteDC(memory);
  return pixels;
}

Pixels ScreenPixels(const RECT& rect) {
  HDC screen = GetDC(nullptr);
  Pixels pixels =
      ReadPixels(screen, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  ReleaseDC(nullptr, screen);
  return pixels;
}

std::optional<Pixels> BitmapResourcePixels(HMODULE module, int id) {
  auto bitmap = static_cast<HBITMAP>(
      LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!bitmap) return std::nullopt;
  BITMAP info{};
  GetObjectA(bitmap, sizeof info, &info);
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(memory, bitmap);
  Pixels pixels = ReadPixels(memory, 0, 0, info.bmWidth, info.bmHeight);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
  return pixels;
}

int CountDifferent(const Pixels& a, const Pixels& b) {
  if (a.values.size() != b.values.size()) return -1;
  int different = 0;
  for (std::size_t i = 0; i < a.values.size(); ++i) different += a.values[i] != b.values[i];
  return different;
}

COLORREF MostCommonScreenColour() {
  std::map<COLORREF, int> counts;
  HDC screen = GetDC(nullptr);
  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  for (int y = cy / 16; y < cy; y += cy / 8)
    for (int x = cx / 16; x < cx; x += cx / 8) ++counts[GetPixel(screen, x, y)];
  ReleaseDC(nullptr, screen);
  return std::max_element(counts.begin(), counts.end(),
                          [](auto& a, auto& b) { return a.second < b.second; })
      ->first;
}

}  // namespace velkaro::testing
