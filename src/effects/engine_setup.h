#pragma once
// The engine's part of the saver's load handler, in its phases. The saver
// run takes them one by one with its own steps between (DirectDraw after the
// pool; the music, the window and the timers after the noise); a run without
// a display (velkaro-render, the artwork, the benchmarks) takes them all at
// once through SetUpEngine, so that both start in exactly the same order:
//
//   SetUpPattern, AllocateParticles, initpal, FillFrameWithNoise,
//   ParkParticlesAndBuildTables.
#include <cstdint>
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
  // starts from a clear buffer and an untouched generator (SetUpEngine only).
  bool fill_noise = true;
};

// Chooses the pattern from the settings' Rdm_Flag and Pattern_No (see
// ChoosePattern), applies its extra start values and animator set-up and
// scans its parameters. Returns the pattern chosen, which engine.Pattern_No
// holds too: with Rdm_Flag = 1 the caller keeps it in place of the
// settings' Pattern_No, as the saver always has.
std::int16_t SetUpPattern(Engine& engine, std::int16_t Rdm_Flag, std::int16_t Pattern_No,
                          const EngineSetUpOptions& options);

// Fills the frame buffer with noise from the engine's generator.
void FillFrameWithNoise(Engine& engine);

// Parks the particles and builds the sine tables: the last phase.
void ParkParticlesAndBuildTables(Engine& engine);

// Every phase in order, with nothing between them. Returns PalLUT, or
// nothing when the palette mode is not one of 0..5, in which case the run
// must end at once (the later phases are not run).
std::optional<PaletteTable> SetUpEngine(Engine& engine, std::int16_t Rdm_Flag,
                                        std::int16_t Pattern_No, const EngineSetUpOptions& options);

// The engine's part of one frame, as the frame loop runs it: animPart,
// AnimWind when WindOn (timed by now_ms), DrawPart, vbClearEdge and BlurCount
// passes of vbBlurImg. Presenting the frame is the caller's.
void StepFrame(Engine& engine, std::uint32_t now_ms);

}  // namespace velkaro
