#include "effects/stretched_frame.h"

#include <algorithm>

namespace velkaro {

StretchedFrame::StretchedFrame()
    : picture_(kShownPictureSize.width, kShownPictureSize.height, kBytesPerPixel) {}

void StretchedFrame::NewFrame(const IndexImage& FrameBuf, const PaletteTable& PalLUT) {
  // A size no window showed during the frame that ends here belongs to a
  // monitor that went away or changed its resolution.
  std::erase_if(stretches_, [this](const Stretch& s) { return s.asked_in < frame_; });
  ++frame_;
  render(FrameBuf, PalLUT, picture_);
}

StretchedFrame::Stretch& StretchedFrame::StretchOfSize(std::int32_t width, std::int32_t height) {
  for (Stretch& stretch : stretches_) {
    if (stretch.blit.to_width() == width && stretch.blit.to_height() == height) return stretch;
  }
  stretches_.push_back(Stretch{
      StretchBlit(kShownPictureSize.width, kShownPictureSize.height, width, height),
      std::vector<std::uint8_t>(std::size_t(width) * std::size_t(height) * kBytesPerPixel)});
  return stretches_.back();
}

PixelRows StretchedFrame::StretchedTo(std::int32_t width, std::int32_t height) {
  if (width <= 0 || height <= 0) return PixelRows{nullptr, 0, kBytesPerPixel};
  Stretch& stretch = StretchOfSize(width, height);
  stretch.asked_in = frame_;
  const PixelRows rows{stretch.pixels.data(), std::ptrdiff_t(width) * kBytesPerPixel,
                       kBytesPerPixel};
  if (stretch.made_for != frame_) {
    const auto picture = picture_.Lock();
    stretch.blit.Copy(*picture, rows);
    picture_.Unlock();
    stretch.made_for = frame_;
    ++stretches_made_;
  }
  return rows;
}

}  // namespace velkaro
