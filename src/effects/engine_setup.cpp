#include "effects/engine_setup.h"

#include "effects/animators.h"
#include "effects/choose_pattern.h"
#include "effects/filters.h"
#include "effects/particles.h"
#include "effects/presentation.h"

namespace velkaro {

std::optional<PaletteTable> SetUpEngine(Engine& engine, std::int16_t Rdm_Flag,
                                        std::int16_t& Pattern_No,
                                        const EngineSetUpOptions& options) {
  const std::string_view preset =
      ChoosePattern(Rdm_Flag, Pattern_No, engine.rng, options.seconds_since_midnight);
  engine.Pattern_No = Pattern_No;
  ApplyExtraStartValues(engine, options.seconds_since_midnight);
  if (options.params_given) engine.params = *options.params_given;
  else ParseParams(options.params_override.value_or(preset), engine.params);

  engine.AllocateParticles();
  if (options.between_pool_and_palette) options.between_pool_and_palette();
  auto PalLUT = initpal(engine.params.PalMode);
  if (!PalLUT) return std::nullopt;
  if (options.fill_noise) FillNoise(Engine::W, Engine::H, engine.FrameBuf.bytes(), engine.rng);
  if (options.after_noise) options.after_noise();

  engine.Initpart();
  engine.InitTrigo();
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
