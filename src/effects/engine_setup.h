#pragma once
// The engine's part of the saver's load handler, shared by the saver window
// and velkaro-render so that both start a run in exactly the same order.
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "effects/engine.h"
#include "effects/palette.h"

namespace velkaro {

struct EngineSetUpOptions {
  // The time of day every reseed "from the clock" uses, in seconds.
  std::uint32_t seconds_since_midnight = 0;
  // Scanned instead of the pattern's own string (the renderer's --params);
  // the pattern still chooses the extra start values.
  std::optional<std::string_view> params_override;
  // Taken as they are instead of any scan: a run of parameters made by hand.
  std::optional<EngineParams> params_given;
  // The noise fill of the frame buffer and its draws; a run without it
  // starts from a clear buffer and an untouched generator.
  bool fill_noise = true;
  // Runs where the display is set up: after the pool is allocated and before
  // the palette is built.
  std::function<void()> between_pool_and_palette;
  // Runs after the noise fill and before the particles are parked: where the
  // saver starts the music, shows its window and arms the timers.
  std::function<void()> after_noise;
};

// Chooses the pattern, applies its extra start values and animator set-up,
// scans its parameters, allocates the pool, builds the palette, fills the
// frame buffer with noise (unless told not to), then parks the particles and
// builds the sine tables. Returns PalLUT, or nothing when the palette mode is not one of
// 0..5, in which case the run must end at once (the later steps are not run).
// Rdm_Flag and Pattern_No are the settings' (see ChoosePattern).
std::optional<PaletteTable> SetUpEngine(Engine& engine, std::int16_t Rdm_Flag,
                                        std::int16_t& Pattern_No,
                                        const EngineSetUpOptions& options);

// The engine's part of one frame, as the frame loop runs it: animPart,
// AnimWind when WindOn (timed by now_ms), DrawPart, vbClearEdge and BlurCount
// passes of vbBlurImg. Presenting the frame is the caller's.
void StepFrame(Engine& engine, std::uint32_t now_ms);

}  // namespace velkaro
