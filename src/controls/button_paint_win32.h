#pragma once
// The button's drawing with GDI: the off-screen image and its resources,
// the replay of the face and edge operations, the image layer (with the
// transparent-bitmap technique and the disabled look) and the caption
// layer. Every GDI object has an owner; the off-screen image puts back the
// objects its memory context was created with before deleting its own.
#include <windows.h>

#include <optional>

#include "common/gdi_win32.h"
#include "controls/button_layout.h"
#include "controls/button_paint_plan.h"
#include "controls/button_properties.h"

namespace velkaro {

// The system colours as GetSysColor reports them.
class Win32SystemColors final : public SystemColors {
 public:
  ColorRef Rgb(int index) const override { return GetSysColor(index); }
};

// A picture the control can hold: a bitmap or an icon it owns.
class Win32Picture final : public PlatformPicture {
 public:
  explicit Win32Picture(HBITMAP bitmap) : bitmap_(bitmap) {}
  explicit Win32Picture(HICON icon) : icon_(icon) {}
  HBITMAP Bitmap() const { return bitmap_.get(); }
  HICON Icon() const { return icon_.get(); }

 private:
  GdiBitmap bitmap_;
  GdiIcon icon_;
};

// A picture of the bitmap or icon (taking ownership), with its natural
// size: a bitmap's own, an icon's colour bitmap's. None for a null handle.
ButtonPicture PictureFromBitmap(HBITMAP bitmap);
ButtonPicture PictureFromIcon(HICON icon);

// The memory context the button is composed in, with the bitmap of the
// window's size, the control's font, and the elliptic face clip.
class OffscreenImage {
 public:
  explicit OffscreenImage(HDC compatible_with);
  ~OffscreenImage();
  OffscreenImage(const OffscreenImage&) = delete;
  OffscreenImage& operator=(const OffscreenImage&) = delete;

  HDC Dc() const { return dc_.get(); }
  // A new bitmap of width × height; the previous one is deleted.
  void Resize(HDC compatible_with, int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetFont(const ButtonFont& font);
  // The face clip of the elliptic shapes; dropped when the shape changes.
  void ClipToEllipse(const Rect& ellipse);
  void ClipOff();
  void DropShapeClip();
  // Solid brush and pen; a new one replaces and deletes the one displaced.
  void SelectBrush(ColorRef colour);
  void SelectPen(ColorRef colour, int width, int style);
  void SelectNullBrush();

 private:
  MemoryDc dc_;
  HGDIOBJ first_bitmap_ = nullptr, first_brush_ = nullptr, first_pen_ = nullptr,
          first_font_ = nullptr;
  GdiBitmap bitmap_;
  GdiBrush brush_;
  GdiPen pen_;
  GdiFont font_;
  GdiRegion shape_clip_;
  int width_ = 0, height_ = 0;
};

// DrawText's measure of the caption in the off-screen image's font.
class Win32TextMeasurer final : public TextMeasurer {
 public:
  explicit Win32TextMeasurer(HDC dc) : dc_(dc) {}
  TextExtent Measure(std::string_view text, std::int32_t box_width,
                     std::int32_t box_height) const override;

 private:
  HDC dc_;
};

// Replays face and edge operations into the off-screen image.
void Replay(OffscreenImage& image, const PaintPlan& plan, const Rect& shape_clip);

// The image layer: picture scaled to target, transparent where the
// bitmap's top-left colour is, or in the disabled look.
void DrawPictureLayer(HDC dc, const ButtonPicture& picture, const Rect& target, bool enabled);

// The caption layer: the passes over the caption rectangle.
void DrawCaptionLayer(HDC dc, std::string_view caption, CaptionAlignKind caption_align,
                      const Rect& rect, const std::vector<CaptionPass>& passes);

}  // namespace velkaro
