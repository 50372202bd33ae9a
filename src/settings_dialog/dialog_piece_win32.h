#pragma once
// One piece of the settings dialog: a panel, picture or label, each a child
// window of its own. What a piece shows lives in persistent pictures (its
// own, or the part of its panel's picture under it), so an ordinary repaint
// only copies them to the screen; clicks and presses are handed to the
// dialog through callbacks.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "common/gdi_win32.h"
#include "common/window_win32.h"
#include "settings_dialog/dialog_geometry.h"

namespace velkaro {

// The drawn stand-ins for a check box or option mark whose picture is not
// in the program file.
enum class Mark { None, Check, Option };

class DialogPiece final : public Window {
 public:
  // The child window at rect of parent; backdrop is the panel whose picture
  // shows through, or null for a piece with a picture of its own.
  bool Create(HWND parent, const DialogPiece* backdrop, const Rect& rect);
  // Gives the piece a persistent picture of its size, filled with colour,
  // and lets the dialog manager look for tab stops inside it.
  void MakePanel(COLORREF colour);

  // The persistent picture, to draw into (panels only).
  HBITMAP image() const { return image_.get(); }
  SIZE size() const { return size_; }
  void Invalidate() const { InvalidateRect(handle(), nullptr, FALSE); }

  HBITMAP shown = nullptr;  // a picture drawn over the background, not owned
  Mark mark = Mark::None;
  int mark_state = 0;
  std::wstring text;  // as the system draws it
  COLORREF text_colour = RGB(0, 0, 0);
  UINT text_format = DT_LEFT | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX;
  HFONT font = nullptr;
  std::function<void(HDC)> overlay;
  // The left button pressed and released over it; the second click of a
  // double click is no click.
  std::function<void()> on_click;
  // Any mouse button pressed on it; the second press of a left double click
  // is no press.
  std::function<void()> on_press;
  HCURSOR cursor = nullptr;
  HWND cursor_child = nullptr;  // a system control inside, and its pointer
  HCURSOR child_cursor = nullptr;

 private:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void Paint(HDC dc) const;
  void PaintText(HDC dc) const;
  void DrawMark(HDC dc) const;
  bool SetPointer(HWND under_pointer) const;
  void OnLeftButtonUp(LPARAM position);

  GdiBitmap image_;
  const DialogPiece* backdrop_ = nullptr;
  POINT offset_{};  // its place in the backdrop
  SIZE size_{};
  bool pressed_ = false;
};

// Copies width × height of source from (sx, sy) to target at (x, y).
void Blit(HDC target, int x, int y, HBITMAP source, int sx, int sy, int width, int height);
// A bitmap's size; 0 × 0 for none.
SIZE BitmapSize(HBITMAP bitmap);

}  // namespace velkaro
