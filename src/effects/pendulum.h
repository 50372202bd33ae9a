#pragma once
// The spring pendulum of patterns 12, 19 and 20: a point of mass PendMass
// held between two anchors at (±1, 0) by springs of rest length SpringLen,
// moved by semi-implicit Euler steps. Its state is the engine's Pend*,
// Anchor*, Spring* and AnimStep values.
#include <cstdint>

#include "effects/engine.h"

namespace velkaro {

// The pendulum's start, reseeding the generator from the clock.
void InitPendulum(Engine& engine, std::uint32_t seconds_since_midnight);

// One step of the model; PendX and PendY follow it in screen pixels.
void StepPendulum(Engine& engine);

}  // namespace velkaro
