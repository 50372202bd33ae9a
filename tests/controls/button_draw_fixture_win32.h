#pragma once
// A parent window and button windows for drawing tests under Wine; pixels
// are read from the button's off-screen image, so nothing depends on the
// window being on screen.
#include <windows.h>

#include <memory>

#include "controls/ambient_values.h"
#include "controls/button_paint_win32.h"
#include "controls/button_window_win32.h"

namespace velkaro {

class ParentWindow {
 public:
  ParentWindow(int width, int height) {
    window_ = CreateWindowExA(0, "STATIC", "button drawing test", WS_POPUP | WS_VISIBLE, 0, 0,
                              width, height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  ~ParentWindow() { DestroyWindow(window_); }
  ParentWindow(const ParentWindow&) = delete;
  ParentWindow& operator=(const ParentWindow&) = delete;
  HWND Handle() const { return window_; }

 private:
  HWND window_ = nullptr;
};

inline std::unique_ptr<ButtonWindow> MakeButton(const ParentWindow& parent,
                                                const AmbientValues& ambient, int width, int height,
                                                int x = 0, int y = 0) {
  return CreateButtonWindow(parent.Handle(), 100, RECT{x, y, x + width, y + height}, ambient);
}

// A width × height bitmap of background with a filled square of ink from
// (inset, inset) to (width − inset, height − inset).
inline HBITMAP MakeKeyedBitmap(int width, int height, COLORREF background, COLORREF ink,
                               int inset) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  HBRUSH back = CreateSolidBrush(background), front = CreateSolidBrush(ink);
  RECT all{0, 0, width, height}, inner{inset, inset, width - inset, height - inset};
  FillRect(dc, &all, back);
  FillRect(dc, &inner, front);
  DeleteObject(back);
  DeleteObject(front);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

}  // namespace velkaro
