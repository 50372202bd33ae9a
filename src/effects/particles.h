#pragma once
// The particle system, the frame loop's work on the engine's pool: motion
// and fading, continuous launching, the upward scroll, the wind, and the
// plotting of the pool into the frame buffer. Each launch takes the next
// record of the ring (Engine::NextRecord).
#include <cstdint>

#include "effects/engine.h"

namespace velkaro {

// One step: motion and fading, continuous launching (EmitOn), upward scroll
// (ScrollOn). Returns false when it stopped part-way on a value out of range
// (a launch angle beyond the tables, a negative scroll); the frame loop
// ignores the result and the next step runs normally.
bool animPart(Engine& engine);

// The wind step: draws a new height profile once the current one has lasted
// WindWait ms of `now_ms`, then shifts every particle in rows 0..240
// sideways by its row's offset.
void AnimWind(Engine& engine, std::uint32_t now_ms);

// Clears the buffer (ClearFrame) and plots every particle inside it, in
// index order, later ones overwriting earlier ones. Returns false when it
// stopped at a colour that is not a byte.
bool DrawPart(Engine& engine);

// One burst particle at the emitter (±4 pixels across) with colour 255 and
// the given speed; the record's fade is left as it was.
void LaunchBurst(Engine& engine, float speed);
// `count` of them.
void LaunchBursts(Engine& engine, std::int32_t count, float speed);

}  // namespace velkaro
