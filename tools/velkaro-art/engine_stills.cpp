#include "engine_stills.h"

#include "common/geometry.h"
#include "effects/engine.h"
#include "effects/pattern_run.h"
#include "effects/presentation.h"
#include "effects/presets.h"
#include "scale.h"

namespace velkaro::art_tool {
namespace {

constexpr int kPreviewPattern = 0;
constexpr int kPreviewFrame = 240;

RgbImage RgbOf(const MemorySurface& surface) {
  // A 32-bit display's pixel value holds blue in its lowest byte.
  const auto pixels = surface.pixels();
  RgbImage image(surface.Width(), surface.Height());
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const std::size_t i = (std::size_t(y) * std::size_t(image.width()) + std::size_t(x)) * 4;
      image.set(x, y, {pixels[i + 2], pixels[i + 1], pixels[i]});
    }
  return image;
}

}  // namespace

RgbImage PatternFrame(int pattern, int frames) {
  const PatternRun run(pattern, frames, kStillClockSeconds);
  MemorySurface surface(kShownPictureSize.width, kShownPictureSize.height, 4);
  const auto& bytes = run.engine.FrameBuf.bytes();
  render(IndexImage{bytes.data(), Engine::W, Engine::H}, run.PalLUT, surface);
  return RgbOf(surface);
}

std::string ThumbnailFrameTable() {
  std::string table;
  for (int pattern = 0; pattern < PatternCount; ++pattern)
    table += std::to_string(pattern) + " " + std::to_string(ThumbnailFrame(pattern)) + " " +
             std::to_string(kStillClockSeconds) + "\n";
  return table;
}

RgbImage Thumbnail(int pattern) {
  return DownscaleByArea(PatternFrame(pattern, ThumbnailFrame(pattern)), kThumbnailWidth,
                         kThumbnailHeight);
}

RgbImage PreviewStill() {
  return DownscaleByArea(PatternFrame(kPreviewPattern, kPreviewFrame), kPreviewWidth,
                         kPreviewHeight);
}

}  // namespace velkaro::art_tool
