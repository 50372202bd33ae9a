#include "engine_stills.h"

#include <array>
#include <cstdint>

#include "common/geometry.h"
#include "effects/engine.h"
#include "effects/engine_setup.h"
#include "effects/pattern_run.h"
#include "effects/presentation.h"
#include "effects/presets.h"
#include "settings/settings.h"
#include "scale.h"

namespace velkaro::art_tool {
namespace {

constexpr int kFramesPerSecond = 60;
// Noon: the time of day that the pendulum patterns reseed from.
constexpr std::uint32_t kClockSeconds = 12 * 3600;
constexpr int kPreviewPattern = 0;
constexpr int kPreviewFrame = 240;

// Frames per pattern, picked by eye from the renderer's output. Patterns
// with a burst every 2 s (0, 1) or 5 s (25, 26) are caught 20 or 30 frames
// after one; the others are taken once their look has built up.
constexpr std::array<int, PatternCount> kThumbnailFrames = {
    140, 140, 240, 240, 240, 240, 240, 240, 240, 240,  // 0..9
    240, 240, 240, 330, 240, 240, 240, 240, 140, 140,  // 10..19
    240, 140, 240, 240, 240, 330, 330, 240,            // 20..27
};

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
  Random rng;  // the standard's fixed initial state
  Settings settings;
  settings.Pattern_No = static_cast<std::int16_t>(pattern);
  Engine engine(rng);
  EngineSetUpOptions set_up;
  set_up.seconds_since_midnight = kClockSeconds;
  const auto PalLUT = SetUpEngine(engine, settings.Rdm_Flag, settings.Pattern_No, set_up);
  MemorySurface surface(kShownPictureSize.width, kShownPictureSize.height, 4);
  if (!PalLUT) return RgbOf(surface);

  PatternClock clock(engine.Pattern_No, kFramesPerSecond);
  for (int k = 1; k <= frames; ++k) clock.Frame(engine);
  const auto& bytes = engine.FrameBuf.bytes();
  render(IndexImage{bytes.data(), Engine::W, Engine::H}, *PalLUT, surface);
  return RgbOf(surface);
}

int ThumbnailFrame(int pattern) {
  if (pattern < 0 || pattern >= PatternCount) return 0;
  return kThumbnailFrames[std::size_t(pattern)];
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
