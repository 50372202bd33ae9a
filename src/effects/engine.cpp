#include "effects/engine.h"

#include <cmath>
#include <cstddef>
#include <new>
#include <stdexcept>

namespace velkaro {

void Engine::AllocateParticles() {
  Particles.clear();
  if (params.PartMax < 0) return;
  // A pool too large for memory stays empty, like a negative PartMax: the
  // run then shows only its filtered start image instead of ending.
  try {
    Particles.assign(std::size_t(params.PartMax) + 1, Particle{});
  } catch (const std::bad_alloc&) {
    Particles.clear();
  } catch (const std::length_error&) {  // beyond the address space (32-bit)
    Particles.clear();
  }
}

void Engine::Initpart() {
  for (Particle& p : Particles) {
    p.x = 1000;
    p.y = 1000;
  }
}

void Engine::InitTrigo() {
  // 3.1415, not pi: the tables have always been built with this constant,
  // so SinTab(180) is about 0.0000927 and CosTab(90) about 0.0000463.
  for (std::size_t i = 0; i < SinTab.size(); ++i) {
    const double radians = double(i) / 180 * 3.1415;
    SinTab[i] = float(std::sin(radians));
    CosTab[i] = float(std::cos(radians));
  }
}

Particle* Engine::NextRecord() {
  if (Particles.empty()) return nullptr;
  const std::int32_t top = std::int32_t(Particles.size() - 1);  // PartMax
  NextPart = (NextPart < 0 || NextPart >= top) ? 0 : NextPart + 1;
  return &Particles[std::size_t(NextPart)];
}

}  // namespace velkaro
