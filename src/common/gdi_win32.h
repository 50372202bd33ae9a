#pragma once
// Owners of GDI resources, one of each kind for the whole program: an object
// (bitmap, pen, brush, font, region) deleted with its owner, a memory
// context, a borrowed window or screen context given back, and a guard that
// selects an object into a context for one scope and puts the previous one
// back, so that the object can be deleted after the guard; and, built on
// them, a borrowed bitmap to draw into and a scratch image of its own. None
// of them can be copied.
#include <windows.h>

#include <memory>
#include <type_traits>

namespace velkaro {

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
template <typename Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;
using GdiBitmap = GdiObject<HBITMAP>;
using GdiPen = GdiObject<HPEN>;
using GdiBrush = GdiObject<HBRUSH>;
using GdiFont = GdiObject<HFONT>;
using GdiRegion = GdiObject<HRGN>;

struct IconDeleter {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
// An icon of our own (loaded, copied or handed over), destroyed with its owner.
using GdiIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

struct MemoryDcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
// A memory context of CreateCompatibleDC.
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcDeleter>;

// The context of a window (or of the screen, for no window) from GetDC,
// given back with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND window = nullptr) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (previous_) SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A bitmap to draw into or copy from: a memory context compatible with
// `like` (the screen for null) with the bitmap selected for the scope.
class BitmapCanvas {
 public:
  BitmapCanvas(HDC like, HBITMAP bitmap)
      : dc_(CreateCompatibleDC(like)), selected_(dc_.get(), bitmap) {}
  HDC dc() const { return dc_.get(); }

 private:
  MemoryDc dc_;
  SelectedObject selected_;
};

// A scratch image of its own: a new bitmap of width x height, compatible
// with `like` or monochrome, in a memory context for the owner's lifetime.
// The bitmap is selected out of the context before either is deleted.
class ScratchImage {
 public:
  ScratchImage(HDC like, int width, int height, bool monochrome)
      : bitmap_(monochrome ? CreateBitmap(width, height, 1, 1, nullptr)
                           : CreateCompatibleBitmap(like, width, height)),
        canvas_(like, bitmap_.get()) {}
  HDC dc() const { return canvas_.dc(); }

 private:
  GdiBitmap bitmap_;
  BitmapCanvas canvas_;
};

}  // namespace velkaro
