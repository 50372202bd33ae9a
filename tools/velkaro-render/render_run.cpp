#include "render_run.h"

#include <charconv>
#include <cstdio>
#include <ostream>
#include <vector>

#include "effects/animators.h"
#include "effects/engine.h"
#include "effects/engine_setup.h"
#include "effects/filters.h"
#include "effects/params_dump.h"
#include "effects/presentation.h"
#include "output_file.h"
#include "virtual_timer.h"

namespace velkaro::render_tool {
namespace {

constexpr int kShownWidth = 320;
constexpr int kShownHeight = 240;

// The off-screen surface of a 32-bit display, in memory.
class MemorySurface final : public Surface {
 public:
  std::int32_t Width() const override { return kShownWidth; }
  std::int32_t Height() const override { return kShownHeight; }
  std::optional<LockedPixels> Lock() override {
    return LockedPixels{pixels_.data(), kShownWidth * 4, 4};
  }
  void Unlock() override {}

  // Pixel values of such a display hold blue in their low byte.
  std::vector<std::uint8_t> Rgb() const {
    std::vector<std::uint8_t> rgb;
    rgb.reserve(std::size_t(kShownWidth) * kShownHeight * 3);
    for (std::size_t i = 0; i < pixels_.size(); i += 4) {
      rgb.push_back(pixels_[i + 2]);
      rgb.push_back(pixels_[i + 1]);
      rgb.push_back(pixels_[i]);
    }
    return rgb;
  }

 private:
  std::vector<std::uint8_t> pixels_ = std::vector<std::uint8_t>(kShownWidth * kShownHeight * 4);
};

void RunFrame(Engine& engine, std::int64_t t) {
  engine.animPart();
  if (engine.params.WindOn) engine.AnimWind(static_cast<std::uint32_t>(t));
  engine.DrawPart();
  vbClearEdge(Engine::W, Engine::H, engine.FrameBuf.bytes());
  for (std::int32_t pass = 0; pass < engine.params.BlurCount; ++pass)
    vbBlurImg(Engine::W, Engine::H, engine.FrameBuf.bytes());
}

void DumpPalette(const PaletteTable& PalLUT, std::ostream& out) {
  for (std::uint32_t value : PalLUT) {
    char line[16];
    std::snprintf(line, sizeof line, "0x%08x\n", value);
    out << line;
  }
}

bool WritePng(const std::string& path, const Engine& engine, const PaletteTable& PalLUT) {
  MemorySurface surface;
  const auto& bytes = engine.FrameBuf.bytes();
  render(IndexImage{bytes.data(), Engine::W, Engine::H}, PalLUT, surface);
  const std::vector<std::uint8_t> rgb = surface.Rgb();
  return WriteRgbPng(path, kShownWidth, kShownHeight, rgb);
}

}  // namespace

int RunRender(const Options& options, std::ostream& out, std::ostream& err) {
  Random rng;
  if (options.seed) rng.reseed(*options.seed);
  Settings settings;
  settings.Rdm_Flag = options.random ? 1 : 0;
  settings.Pattern_No = static_cast<std::int16_t>(options.pattern);

  Engine engine(rng);
  EngineSetUpOptions set_up;
  set_up.seconds_since_midnight = options.clock_seconds;
  if (options.params) set_up.params_override = *options.params;
  const auto PalLUT = SetUpEngine(engine, settings, set_up);
  if (!PalLUT) {
    err << "velkaro-render: palette mode " << engine.params.PalMode << " is not one of 0..5\n";
    return 2;
  }
  if (options.dump == Dump::Params)
    out << FormatParamsDump(engine.params, engine.Pattern_No, engine.EmitX, engine.EmitY);
  if (options.dump == Dump::Palette) DumpPalette(*PalLUT, out);

  const PatternAnimators animators = AnimatorsFor(engine.Pattern_No);
  VirtualTimer burst(animators.burst_interval_ms.value_or(0));
  VirtualTimer motion(animators.motion_interval_ms.value_or(0));
  for (std::int64_t k = 1; k <= options.frames; ++k) {
    const std::int64_t t = k * 1000 / options.fps;
    RunFrame(engine, t);
    if (burst.FiresAt(t)) engine.PatternBurst();
    if (motion.FiresAt(t)) engine.PatternMotion();
  }

  if (options.raw && !WriteWholeFile(*options.raw, engine.FrameBuf.bytes())) {
    err << "velkaro-render: cannot write " << *options.raw << "\n";
    return 2;
  }
  if (options.png && !WritePng(*options.png, engine, *PalLUT)) {
    err << "velkaro-render: cannot write " << *options.png << "\n";
    return 2;
  }
  return 0;
}

}  // namespace velkaro::render_tool
