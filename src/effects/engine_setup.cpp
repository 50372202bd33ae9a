#include "effects/engine_setup.h"

#include "effects/animators.h"
#include "effects/choose_pattern.h"
#include "effects/filters.h"
#include "effects/particles.h"
#include "effects/presentation.h"

namespace velkaro {

std::int16_t SetUpPattern(Engine& engine, std::int16_t Rdm_Flag, std::int16_t Pattern_No,
                          const EngineSetUpOptions& options) {
  const std::string_view preset =
      ChoosePattern(Rdm_Flag, Pattern_No, engine.rng, options.seconds_since_midnight);
  engine.Pattern_No = Pattern_No;
  ApplyExtraStartValues(engine, options.seconds_since_midnight);
  if (options.params_given)
    engine.params = *options.params_given;
  else
    ParseParams(options.params_override.value_or(preset), engine.params);
  return Pattern_No;
}

void FillFrameWithNoise(Engine& engine) {
  FillNoise(Engine::W, Engine::H, engine.FrameBuf.bytes(), engine.rng);
}

void ParkParticlesAndBuildTables(Engine& engine) {
  engine.Initpart();
  engine.InitTrigo();
}

std::optional<PaletteTable> SetUpEngine(Engine& engine, std::int16_t Rdm_Flag,
                                        std::int16_t Pattern_No,
                                        const EngineSetUpOptions& options) {
  SetUpPattern(engine, Rdm_Flag, Pattern_No, options);
  engine.AllocateParticles();
  auto PalLUT = initpal(engine.params.PalMode);
  if (!PalLUT) return std::nullopt;
  if (options.fill_noise) FillFrameWithNoise(engine);
  ParkParticlesAndBuildTables(engine);
  return PalLUT;
}

void StepFrame(Engine& engine, std::uint32_t now_ms) {
  animPart(engine);
  if (engine.params.WindOn) AnimWind(engine, now_ms);
  DrawPart(engine);
  vbClearEdge(Engine::W, Engine::H, engine.FrameBuf.bytes());
  for (std::int32_t pass = 0; pass < engine.params.BlurCount; ++pass)
    vbBlurImg(Engine::W, Engine::H, engine.FrameBuf.bytes());
}

}  // namespace velkaro
