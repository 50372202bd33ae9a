#include "controls/button_layout.h"

#include <algorithm>

namespace velkaro {

UsableExtent UsableExtentOf(ButtonShapeKind shape, std::int32_t width, std::int32_t o,
                            std::int32_t r) {
  // A third of a slant is given to the content: text may run into the
  // slanted corner's wider half.
  switch (shape) {
    case ButtonShapeKind::LeftSlanted: {
      const std::int32_t u = o - o / 3;
      return {u, width - u, width};
    }
    case ButtonShapeKind::RightSlanted: {
      const std::int32_t v = r + (width - r) / 3;
      return {0, v, v};
    }
    case ButtonShapeKind::Parallelogram: {
      const std::int32_t u = o - o / 3;
      const std::int32_t v = r + (width - r) / 3;
      return {u, v - u, v};
    }
    default: return {0, r, width};
  }
}

std::string CaptionForDrawing(std::string_view caption) {
  std::string text;
  text.reserve(caption.size());
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '|' && i + 1 < caption.size() && caption[i + 1] == '|') {
      text += "\r\n";
      ++i;
    } else {
      text += caption[i];
    }
  }
  return text;
}

namespace {

struct ImageRoom {
  std::int32_t left = 0, right = 0, top = 0, bottom = 0;
};

ImageRoom RoomOf(const ButtonLook& look) {
  ImageRoom room;
  if (!look.has_image || look.image_size > 32) return room;
  const std::int32_t s = look.image_size;
  switch (look.picture_align) {
    case PictureAlignKind::LeftEdge:
    case PictureAlignKind::LeftOfCaption: room.left = s; break;
    case PictureAlignKind::RightEdge:
    case PictureAlignKind::RightOfCaption: room.right = s; break;
    case PictureAlignKind::TopCentre: room.top = s; break;
    case PictureAlignKind::BottomCentre: room.bottom = s; break;
    default: break;
  }
  return room;
}

Rect Clamp(Rect rect, std::int32_t v, std::int32_t height) {
  rect.left = std::max(rect.left, 6);
  rect.top = std::max(rect.top, 6);
  rect.right = std::min(rect.right, v);
  rect.bottom = std::min(rect.bottom, height - 6);
  return rect;
}

std::int32_t CaptionX(const ButtonLook& look, const UsableExtent& e, const ImageRoom& room,
                      std::int32_t tw) {
  const std::int32_t a = room.left, c = room.right;
  switch (look.caption_align) {
    case CaptionAlignKind::Left: return e.u + a + 6 + (a > 0 ? 6 : 0);
    case CaptionAlignKind::Right: return e.v - tw - c - 6 - (c > 0 ? 6 : 0);
    default:
      if (a > 0 && look.picture_align == PictureAlignKind::LeftOfCaption)
        return e.u + a + 6 + (e.p - tw - a - 6) / 2;
      if (c > 0 && look.picture_align == PictureAlignKind::RightOfCaption)
        return e.u + (e.p - tw - c - 6) / 2;
      return e.u + a + (e.p - tw - c - a) / 2;
  }
}

}  // namespace

ButtonLayout LayoutContent(const ButtonLook& look, const TextMeasurer& measurer) {
  const UsableExtent e = UsableExtentOf(look);
  const ImageRoom room = RoomOf(look);
  const std::int32_t s = look.image_size, h = look.height;
  const bool has_caption = !look.caption.empty();

  TextExtent text{0, -3};  // an empty caption counts as height −3
  if (has_caption) {
    const bool side_room = room.left > 0 || room.right > 0;
    const bool end_room = room.top > 0 || room.bottom > 0;
    text = measurer.Measure(CaptionForDrawing(look.caption), side_room ? e.p - s - 12 : e.p - 12,
                            end_room ? h - 12 - s : h - 12);
    if (look.caption_style != CaptionStyleKind::Flat) {
      text.width += 2;
      text.height += 2;
    }
  }
  const std::int32_t tw = text.width, th = text.height;
  const std::int32_t x = CaptionX(look, e, room, tw);
  std::int32_t caption_dy = (h - th) / 2;
  Rect image;
  if (look.has_image) {
    std::int32_t ix = 0, iy = (h - s) / 2;
    switch (look.picture_align) {
      case PictureAlignKind::LeftEdge: ix = e.u + 6; break;
      case PictureAlignKind::LeftOfCaption: ix = has_caption ? x - room.left - 6 : e.u + 6; break;
      case PictureAlignKind::RightEdge: ix = e.v - room.right - 6; break;
      case PictureAlignKind::RightOfCaption:
        ix = has_caption ? x + tw + 6 : e.v - room.right - 6;
        break;
      case PictureAlignKind::TopCentre: {
        const std::int32_t g = (h - (th + room.top)) / 2;
        iy = g;
        caption_dy = g + room.top + 2;
        ix = e.u + (e.p - s) / 2;
        break;
      }
      case PictureAlignKind::BottomCentre: {
        const std::int32_t g = (h - (th + room.bottom)) / 2;
        iy = g + th + 3;
        caption_dy = g + 1;
        ix = e.u + (e.p - s) / 2;
        break;
      }
      default: break;
    }
    image = {ix, iy, ix + s, iy + s};
  }
  ButtonLayout layout = look.layout;
  layout.caption = Clamp({x, caption_dy, x + tw, caption_dy + th}, e.v, h);
  layout.image = Clamp(image, e.v, h);
  return layout;
}

}  // namespace velkaro
