#include "effects/engine_setup.h"

#include "effects/animators.h"
#include "effects/choose_pattern.h"
#include "effects/presentation.h"

namespace velkaro {

std::optional<PaletteTable> SetUpEngine(Engine& engine, Settings& settings,
                                        const EngineSetUpOptions& options) {
  const std::string_view preset =
      ChoosePattern(settings, engine.rng, options.seconds_since_midnight);
  engine.Pattern_No = settings.Pattern_No;
  ApplyExtraStartValues(engine, options.seconds_since_midnight);
  ParseParams(options.params_override.value_or(preset), engine.params);

  engine.AllocateParticles();
  if (options.between_pool_and_palette) options.between_pool_and_palette();
  auto PalLUT = initpal(engine.params.PalMode);
  if (!PalLUT) return std::nullopt;
  FillNoise(Engine::W, Engine::H, engine.FrameBuf.bytes(), engine.rng);
  if (options.after_noise) options.after_noise();

  engine.Initpart();
  engine.InitTrigo();
  return PalLUT;
}

}  // namespace velkaro
