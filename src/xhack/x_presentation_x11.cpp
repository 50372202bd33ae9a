#include "xhack/x_presentation_x11.h"

namespace velkaro::xhack {

XPresentation::XPresentation(Display* display, Window window, Visual* visual,
                             const PixelFormat& format, std::int32_t width, std::int32_t height,
                             bool shared_memory)
    : display_(display),
      window_(window),
      visual_(visual),
      format_(format),
      shared_memory_(shared_memory),
      gc_(display, window),
      picture_(kShownPictureSize.width, kShownPictureSize.height, format.bits_per_pixel / 8),
      width_(width),
      height_(height) {}

void XPresentation::Resize(std::int32_t width, std::int32_t height) {
  width_ = width;
  height_ = height;
}

bool XPresentation::ImageReady() {
  if (stretch_ && stretch_->to_width() == width_ && stretch_->to_height() == height_ && image_)
    return true;
  image_.reset();
  image_ = MakeFrameImage(display_, visual_, format_.depth, width_, height_, shared_memory_);
  stretch_.emplace(kShownPictureSize.width, kShownPictureSize.height, width_, height_);
  return image_ != nullptr;
}

void XPresentation::SetPalette(const PaletteTable& PalLUT) {
  window_table_ = VisualPalette(PalLUT, format_).value_or(PaletteTable{});
}

void XPresentation::Present(const IndexImage& FrameBuf) {
  if (!ImageReady()) return;
  render(FrameBuf, window_table_, picture_);
  const auto picture = picture_.Lock();
  stretch_->Copy(PixelRows{picture->bits, picture->pitch, picture->bytes_per_pixel},
                 image_->Rows());
  picture_.Unlock();
  image_->Put(window_, gc_.get());
  // One frame on its way at a time: the next one is not drawn into the
  // image while the server may still be reading it, and a slow server is
  // never sent frames faster than it shows them.
  XSync(display_, False);
}

}  // namespace velkaro::xhack
