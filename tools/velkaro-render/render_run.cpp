#include "render_run.h"

#include <charconv>
#include <cstdio>
#include <ostream>
#include <vector>

#include "common/geometry.h"
#include "effects/engine.h"
#include "effects/engine_setup.h"
#include "effects/params_dump.h"
#include "effects/pattern_run.h"
#include "effects/presentation.h"
#include "settings/settings.h"
#include "output_file.h"

namespace velkaro::render_tool {
namespace {

// What a 32-bit display shows of surface pixel values, whose low byte is blue.
std::vector<std::uint8_t> RgbOf(std::span<const std::uint8_t> pixels) {
  std::vector<std::uint8_t> rgb;
  rgb.reserve(pixels.size() / 4 * 3);
  for (std::size_t i = 0; i + 3 < pixels.size(); i += 4) {
    rgb.push_back(pixels[i + 2]);
    rgb.push_back(pixels[i + 1]);
    rgb.push_back(pixels[i]);
  }
  return rgb;
}

void DumpPalette(const PaletteTable& PalLUT, std::ostream& out) {
  for (std::uint32_t value : PalLUT) {
    char line[16];
    std::snprintf(line, sizeof line, "0x%08x\n", value);
    out << line;
  }
}

bool WritePng(const std::string& path, const Engine& engine, const PaletteTable& PalLUT) {
  MemorySurface surface(kShownPictureSize.width, kShownPictureSize.height, 4);
  const auto& bytes = engine.FrameBuf.bytes();
  render(IndexImage{bytes.data(), Engine::W, Engine::H}, PalLUT, surface);
  const std::vector<std::uint8_t> rgb = RgbOf(surface.pixels());
  return WriteRgbPng(path, kShownPictureSize.width, kShownPictureSize.height, rgb);
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
  const auto PalLUT = SetUpEngine(engine, settings.Rdm_Flag, settings.Pattern_No, set_up);
  if (!PalLUT) {
    err << "velkaro-render: palette mode " << engine.params.PalMode << " is not one of 0..5\n";
    return 2;
  }
  if (options.dump == Dump::Params)
    out << FormatParamsDump(engine.params, engine.Pattern_No, engine.EmitX, engine.EmitY);
  if (options.dump == Dump::Palette) DumpPalette(*PalLUT, out);

  PatternClock clock(engine.Pattern_No, options.fps);
  for (int k = 1; k <= options.frames; ++k) {
    clock.Frame(engine);
    if (options.every > 0 && k % options.every == 0) {
      const std::string name = SeriesFileName(*options.png, k);
      if (!WritePng(name, engine, *PalLUT)) {
        err << "velkaro-render: cannot write " << name << "\n";
        return 2;
      }
    }
  }

  if (options.raw && !WriteWholeFile(*options.raw, engine.FrameBuf.bytes())) {
    err << "velkaro-render: cannot write " << *options.raw << "\n";
    return 2;
  }
  if (options.png && options.every == 0 && !WritePng(*options.png, engine, *PalLUT)) {
    err << "velkaro-render: cannot write " << *options.png << "\n";
    return 2;
  }
  return 0;
}

}  // namespace velkaro::render_tool
