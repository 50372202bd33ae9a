#include "settings_dialog/dialog_piece_win32.h"

#include "common/system_win32.h"
#include "common/text_win32.h"

namespace velkaro {
namespace {

constexpr char kPieceClass[] = "Velkaro_P_Piece";

bool PointerOverClient(HWND window, LPARAM position) {
  RECT client;
  GetClientRect(window, &client);
  const POINT p{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
  return PtInRect(&client, p) != 0;
}

}  // namespace

void Blit(HDC target, int x, int y, HBITMAP source, int sx, int sy, int width, int height) {
  const BitmapCanvas canvas(target, source);
  BitBlt(target, x, y, width, height, canvas.dc(), sx, sy, SRCCOPY);
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return {0, 0};
  return {info.bmWidth, info.bmHeight};
}

bool DialogPiece::Create(HWND parent, const DialogPiece* backdrop, const Rect& rect) {
  // With CS_DBLCLKS the system tells the second press of a double click
  // apart (WM_LBUTTONDBLCLK), so that it is not taken for a click.
  static const bool registered = RegisterWindowClass(
      {.name = kPieceClass, .style = CS_DBLCLKS, .cursor = LoadCursorA(nullptr, IDC_ARROW)});
  backdrop_ = backdrop;
  offset_ = {rect.left, rect.top};
  size_ = {rect.width(), rect.height()};
  return registered && Window::Create(kPieceClass, 0, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                      rect.left, rect.top, rect.width(), rect.height(), parent);
}

void DialogPiece::MakePanel(COLORREF colour) {
  SetWindowLongA(handle(), GWL_EXSTYLE,
                 GetWindowLongA(handle(), GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
  const WindowDc screen;
  image_.reset(CreateCompatibleBitmap(screen.get(), size_.cx, size_.cy));
  const BitmapCanvas canvas(screen.get(), image_.get());
  const GdiBrush brush(CreateSolidBrush(colour));
  const RECT all{0, 0, size_.cx, size_.cy};
  FillRect(canvas.dc(), &all, brush.get());
}

void DialogPiece::Paint(HDC dc) const {
  if (backdrop_ && backdrop_->image_)
    Blit(dc, 0, 0, backdrop_->image_.get(), offset_.x, offset_.y, size_.cx, size_.cy);
  else if (image_)
    Blit(dc, 0, 0, image_.get(), 0, 0, size_.cx, size_.cy);
  if (shown) {
    const SIZE picture = BitmapSize(shown);
    Blit(dc, 0, 0, shown, 0, 0, picture.cx, picture.cy);
  } else {
    DrawMark(dc);
  }
  PaintText(dc);
  if (overlay) overlay(dc);
}

void DialogPiece::PaintText(HDC dc) const {
  if (text.empty()) return;
  std::optional<SelectedObject> selected_font;
  if (font) selected_font.emplace(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, IsWindowEnabled(handle()) ? text_colour : RGB(96, 96, 96));
  RECT area{0, 0, size_.cx, size_.cy};
  DrawSystemText(dc, text, area, text_format, HasUnicodeWindows());
}

void DialogPiece::DrawMark(HDC dc) const {
  if (mark == Mark::None) return;
  const SelectedObject pen(dc, GetStockObject(BLACK_PEN));
  const SelectedObject brush(dc, GetStockObject(WHITE_BRUSH));
  if (mark == Mark::Check) {
    Rectangle(dc, 0, 0, 12, 12);
    if (mark_state) {
      const POINT tick[] = {{2, 6}, {5, 9}, {10, 2}};
      Polyline(dc, tick, 3);
    }
  } else {
    Ellipse(dc, 0, 0, 13, 13);
    const SelectedObject dot(dc, GetStockObject(BLACK_BRUSH));
    if (mark_state) Ellipse(dc, 4, 4, 9, 9);
  }
}

bool DialogPiece::SetPointer(HWND under_pointer) const {
  if (cursor_child && child_cursor &&
      (under_pointer == cursor_child || IsChild(cursor_child, under_pointer))) {
    SetCursor(child_cursor);
    return true;
  }
  if (under_pointer == handle() && cursor) {
    SetCursor(cursor);
    return true;
  }
  return false;
}

void DialogPiece::OnLeftButtonUp(LPARAM position) {
  if (!pressed_) return;
  pressed_ = false;
  ReleaseCapture();
  // The click may close the dialog and so destroy this piece: nothing of it
  // is used after the call.
  if (PointerOverClient(handle(), position) && on_click) on_click();
}

LRESULT DialogPiece::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(handle(), &paint);
      Paint(dc);
      EndPaint(handle(), &paint);
      return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_SETCURSOR:
      if (SetPointer(reinterpret_cast<HWND>(wparam))) return TRUE;
      break;
    case WM_LBUTTONDOWN:
      pressed_ = true;
      SetCapture(handle());
      if (on_press) on_press();
      return 0;
    case WM_LBUTTONDBLCLK:
      // The second press of a double click: a form raises its double click
      // here, neither a press nor, on release, a click. Whichever piece the
      // release then reaches was not pressed and drops it.
      return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDBLCLK:  // these buttons have no double click of their own
    case WM_MBUTTONDBLCLK:
      if (on_press) on_press();
      return 0;
    case WM_LBUTTONUP: OnLeftButtonUp(lparam); return 0;
    case WM_CAPTURECHANGED: pressed_ = false; return 0;
  }
  return Window::OnMessage(message, wparam, lparam);
}

}  // namespace velkaro
