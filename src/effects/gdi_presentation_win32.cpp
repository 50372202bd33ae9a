#include "effects/gdi_presentation_win32.h"

#include <windows.h>

namespace velkaro {
namespace {

// A top-down bitmap of 32 bits per pixel, as the stretch lays its rows out.
BITMAPINFO TopDownInfo(std::int32_t width, std::int32_t height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace

bool GdiPresentation::StretchFrameTo(void* dc, const Rect& dest) {
  const std::int32_t width = dest.right - dest.left, height = dest.bottom - dest.top;
  const PixelRows rows = frame_.StretchedTo(width, height);
  if (!dc || !rows.bits) return false;
  // The stretch is done already, so GDI copies pixel for pixel and only
  // converts them to the display's depth: no stretching mode of its own
  // can pick other picture pixels.
  const BITMAPINFO info = TopDownInfo(width, height);
  return SetDIBitsToDevice(static_cast<HDC>(dc), dest.left, dest.top, DWORD(width), DWORD(height),
                           0, 0, 0, UINT(height), rows.bits, &info, DIB_RGB_COLORS) != 0;
}

}  // namespace velkaro
