#include "controls/button_paint_win32.h"

#include <cstring>
#include <string>

#include "common/rounding.h"
#include "common/text_cp932.h"
#include "controls/button_colors.h"

namespace velkaro {

ButtonPicture PictureFromBitmap(HBITMAP bitmap) {
  ButtonPicture picture;
  if (!bitmap) return picture;
  BITMAP info{};
  GetObjectA(bitmap, sizeof info, &info);
  picture.handle = std::make_shared<Win32Picture>(bitmap);
  picture.kind = PictureKind::Bitmap;
  picture.width = info.bmWidth;
  picture.height = info.bmHeight;
  return picture;
}

ButtonPicture PictureFromIcon(HICON icon) {
  ButtonPicture picture;
  if (!icon) return picture;
  ICONINFO info{};
  if (GetIconInfo(icon, &info)) {
    // The query hands out copies of both bitmaps; the caller deletes them.
    GdiBitmap colour(info.hbmColor), mask(info.hbmMask);
    BITMAP bits{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bits, &bits);
    picture.width = bits.bmWidth;
    // A monochrome icon's mask holds the AND and XOR halves one above the other.
    picture.height = info.hbmColor ? bits.bmHeight : bits.bmHeight / 2;
  }
  picture.handle = std::make_shared<Win32Picture>(icon);
  picture.kind = PictureKind::Icon;
  return picture;
}

OffscreenImage::OffscreenImage(HDC compatible_with) : dc_(CreateCompatibleDC(compatible_with)) {
  SetBkMode(Dc(), TRANSPARENT);
  brush_.reset(CreateSolidBrush(0));
  pen_.reset(CreatePen(PS_SOLID, 1, 0));
  first_brush_ = SelectObject(Dc(), brush_.get());
  first_pen_ = SelectObject(Dc(), pen_.get());
}

OffscreenImage::~OffscreenImage() {
  SelectClipRgn(Dc(), nullptr);
  SelectObject(Dc(), first_brush_);
  SelectObject(Dc(), first_pen_);
  if (first_font_) SelectObject(Dc(), first_font_);
  if (first_bitmap_) SelectObject(Dc(), first_bitmap_);
  // The owners delete the control's objects, then the context itself.
  shape_clip_.reset();
  font_.reset();
  bitmap_.reset();
  pen_.reset();
  brush_.reset();
}

void OffscreenImage::Resize(HDC compatible_with, int width, int height) {
  width_ = width;
  height_ = height;
  GdiBitmap bitmap(
      CreateCompatibleBitmap(compatible_with, width > 0 ? width : 1, height > 0 ? height : 1));
  HGDIOBJ displaced = SelectObject(Dc(), bitmap.get());
  if (!first_bitmap_) first_bitmap_ = displaced;
  bitmap_ = std::move(bitmap);
}

void OffscreenImage::SetFont(const ButtonFont& font) {
  LOGFONTA logical{};
  const int dpi = GetDeviceCaps(Dc(), LOGPIXELSY);
  const double twips_per_pixel = 1440.0 / (dpi > 0 ? dpi : 96);
  logical.lfHeight = -nearest_as<LONG>(font.size_points * 20.0 / twips_per_pixel).value_or(12);
  logical.lfWeight = font.weight;
  logical.lfItalic = font.italic;
  logical.lfUnderline = font.underline;
  logical.lfStrikeOut = font.strikethrough;
  logical.lfCharSet = DEFAULT_CHARSET;
  const std::string face = ToCp932(font.face);
  std::strncpy(logical.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  GdiFont created(CreateFontIndirectA(&logical));
  HGDIOBJ displaced = SelectObject(Dc(), created.get());
  if (!first_font_) first_font_ = displaced;
  font_ = std::move(created);
}

void OffscreenImage::ClipToEllipse(const Rect& e) {
  if (!shape_clip_) shape_clip_.reset(CreateEllipticRgn(e.left, e.top, e.right, e.bottom));
  SelectClipRgn(Dc(), shape_clip_.get());
}

void OffscreenImage::ClipOff() { SelectClipRgn(Dc(), nullptr); }

void OffscreenImage::DropShapeClip() {
  SelectClipRgn(Dc(), nullptr);
  shape_clip_.reset();
}

void OffscreenImage::SelectBrush(ColorRef colour) {
  GdiBrush brush(CreateSolidBrush(colour));
  SelectObject(Dc(), brush.get());
  brush_ = std::move(brush);
}

void OffscreenImage::SelectPen(ColorRef colour, int width, int style) {
  GdiPen pen(CreatePen(style, width, colour));
  SelectObject(Dc(), pen.get());
  pen_ = std::move(pen);
}

void OffscreenImage::SelectNullBrush() {
  SelectObject(Dc(), GetStockObject(NULL_BRUSH));
  brush_.reset();
}

TextExtent Win32TextMeasurer::Measure(std::string_view text, std::int32_t box_width,
                                      std::int32_t box_height) const {
  const std::string bytes = ToCp932(text);
  RECT rect{0, 0, box_width, box_height};
  DrawTextA(dc_, bytes.c_str(), int(bytes.size()), &rect, DT_CALCRECT | DT_WORDBREAK);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

void Replay(OffscreenImage& image, const PaintPlan& plan, const Rect& shape_clip) {
  HDC dc = image.Dc();
  for (const DrawOp& op : plan) {
    switch (op.kind) {
      case DrawOp::Kind::Box:
        image.SelectBrush(op.colour);
        image.SelectPen(op.colour, 1, PS_SOLID);
        Rectangle(dc, op.rect.left, op.rect.top, op.rect.right, op.rect.bottom);
        break;
      case DrawOp::Kind::Polyline: {
        image.SelectPen(op.colour, op.pen_width, op.dotted ? PS_DOT : PS_SOLID);
        std::vector<POINT> points;
        for (const Point& p : op.points) points.push_back({p.x, p.y});
        Polyline(dc, points.data(), int(points.size()));
        break;
      }
      case DrawOp::Kind::Pixel: SetPixel(dc, op.points[0].x, op.points[0].y, op.colour); break;
      case DrawOp::Kind::Ellipse:
        image.SelectPen(op.colour, op.pen_width, PS_SOLID);
        image.SelectNullBrush();
        Ellipse(dc, op.rect.left, op.rect.top, op.rect.right, op.rect.bottom);
        image.SelectBrush(0);
        break;
      case DrawOp::Kind::ClipOff: image.ClipOff(); break;
      case DrawOp::Kind::ClipToShape: image.ClipToEllipse(shape_clip); break;
      case DrawOp::Kind::FocusRect: {
        const RECT rect{op.rect.left, op.rect.top, op.rect.right, op.rect.bottom};
        // DrawFocusRect draws with the text and background colours.
        const COLORREF text = SetTextColor(dc, 0);
        const COLORREF back = SetBkColor(dc, 0xFFFFFF);
        DrawFocusRect(dc, &rect);
        SetTextColor(dc, text);
        SetBkColor(dc, back);
        break;
      }
    }
  }
}

namespace {

constexpr DWORD kBlackenTransparent = 0x220326;     // D AND NOT S
constexpr DWORD kBrushWhereSourceBlack = 0xB8074A;  // ((D XOR P) AND S) XOR P

// The bitmap (already of the target size) drawn with its top-left colour
// transparent: a mask and a copy with the transparent pixels blackened are
// combined with the destination in a scratch image, then copied back.
void DrawTransparentBitmap(HDC dest, HBITMAP bitmap, int x, int y, int width, int height) {
  // The bitmap is the picture's: it is only borrowed for the scope.
  const BitmapCanvas source(dest, bitmap);
  const COLORREF transparent = GetPixel(source.dc(), 0, 0);

  ScratchImage mask(dest, width, height, true);
  SetBkColor(source.dc(), transparent);
  BitBlt(mask.dc(), 0, 0, width, height, source.dc(), 0, 0, SRCCOPY);

  ScratchImage blackened(dest, width, height, false);
  BitBlt(blackened.dc(), 0, 0, width, height, source.dc(), 0, 0, SRCCOPY);
  SetBkColor(blackened.dc(), 0xFFFFFF);
  SetTextColor(blackened.dc(), 0x000000);
  BitBlt(blackened.dc(), 0, 0, width, height, mask.dc(), 0, 0, kBlackenTransparent);

  ScratchImage combined(dest, width, height, false);
  SetMapMode(combined.dc(), GetMapMode(dest));
  SelectPalette(combined.dc(), HPALETTE(GetStockObject(DEFAULT_PALETTE)), FALSE);
  SetBkColor(combined.dc(), 0xFFFFFF);
  SetTextColor(combined.dc(), 0x000000);
  BitBlt(combined.dc(), 0, 0, width, height, dest, x, y, SRCCOPY);
  StretchBlt(combined.dc(), 0, 0, width, height, mask.dc(), 0, 0, width, height, SRCAND);
  StretchBlt(combined.dc(), 0, 0, width, height, blackened.dc(), 0, 0, width, height, SRCPAINT);
  BitBlt(dest, x, y, width, height, combined.dc(), 0, 0, SRCCOPY);
}

void DrawCopy(HDC dc, HANDLE copy, bool icon, int x, int y, int width, int height) {
  if (icon)
    DrawIconEx(dc, x, y, HICON(copy), width, height, 0, nullptr, DI_NORMAL);
  else
    DrawTransparentBitmap(dc, HBITMAP(copy), x, y, width, height);
}

// The disabled look: the copy drawn onto white, then every pixel that is not
// white transferred twice as a flat shape, in a light colour one pixel up
// and left and in a dark one in place. The raster operation paints the
// brush where the source is black and keeps the destination where it is
// white; a colour source would mix the two bit by bit in its mid-tones, so
// the white image goes through a monochrome one first (white → 1, anything
// else → 0), which the transfers turn back into pure white and black.
void DrawEmbossed(HDC dc, HANDLE copy, bool icon, int x, int y, int width, int height) {
  ScratchImage white(dc, width, height, false);
  PatBlt(white.dc(), 0, 0, width, height, WHITENESS);
  DrawCopy(white.dc(), copy, icon, 0, 0, width, height);
  ScratchImage shape(dc, width, height, true);
  SetBkColor(white.dc(), 0xFFFFFF);
  BitBlt(shape.dc(), 0, 0, width, height, white.dc(), 0, 0, SRCCOPY);
  const COLORREF back = SetBkColor(dc, 0xFFFFFF);
  const COLORREF text = SetTextColor(dc, 0x000000);
  for (const auto& [step, offset] : {std::pair{36, -1}, std::pair{-36, 0}}) {
    const GdiBrush brush(CreateSolidBrush(ShadeColor(0xC0C0C0, step)));
    const SelectedObject selected(dc, brush.get());
    BitBlt(dc, x + offset, y + offset, width, height, shape.dc(), 0, 0, kBrushWhereSourceBlack);
  }
  SetTextColor(dc, text);
  SetBkColor(dc, back);
}

}  // namespace

void DrawPictureLayer(HDC dc, const ButtonPicture& picture, const Rect& target, bool enabled) {
  const auto* source = dynamic_cast<const Win32Picture*>(picture.handle.get());
  if (!source) return;
  const int width = target.right - target.left, height = target.bottom - target.top;
  if (width <= 0 || height <= 0) return;
  const bool icon = source->Icon() != nullptr;
  // The copy at the target's size goes with whichever owner holds it.
  GdiIcon icon_copy;
  GdiBitmap bitmap_copy;
  if (icon) {
    icon_copy.reset(HICON(CopyImage(source->Icon(), IMAGE_ICON, width, height, 0)));
  } else {
    bitmap_copy.reset(HBITMAP(CopyImage(source->Bitmap(), IMAGE_BITMAP, width, height, 0)));
  }
  const HANDLE copy = icon ? HANDLE(icon_copy.get()) : HANDLE(bitmap_copy.get());
  if (!copy) return;  // the layer is skipped; the rest of the button is drawn
  if (enabled) {
    DrawCopy(dc, copy, icon, target.left, target.top, width, height);
  } else {
    DrawEmbossed(dc, copy, icon, target.left, target.top, width, height);
  }
}

void DrawCaptionLayer(HDC dc, std::string_view caption, CaptionAlignKind caption_align,
                      const Rect& rect, const std::vector<CaptionPass>& passes) {
  if (caption.empty()) return;
  const std::string text = ToCp932(CaptionForDrawing(caption));
  const UINT align = caption_align == CaptionAlignKind::Left    ? DT_LEFT
                     : caption_align == CaptionAlignKind::Right ? DT_RIGHT
                                                                : DT_CENTER;
  const COLORREF previous = GetTextColor(dc);
  for (const CaptionPass& pass : passes) {
    RECT r{rect.left + pass.dx, rect.top + pass.dy, rect.right + pass.dx, rect.bottom + pass.dy};
    SetTextColor(dc, pass.colour);
    DrawTextA(dc, text.c_str(), int(text.size()), &r, align | DT_WORDBREAK);
  }
  SetTextColor(dc, previous);
}

}  // namespace velkaro
