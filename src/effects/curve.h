#pragma once
// The looping curve of patterns 21, 22 and 27: the emitter traces a
// hypotrochoid-like loop (Cyc_X, Cyc_Y) whose centre runs along a
// figure-eight of two touching circles. Its state is the engine's Cyc* and
// AnimStep values.
#include <cstdint>

#include "effects/engine.h"

namespace velkaro {

// The curve's start values.
void InitCurve(Engine& engine);

// Moves the centre one step along the figure-eight and the emitter one step
// along the curve about it; a closed curve starts the next with a wider pen.
void AdvanceCurve(Engine& engine);

// The curve's offset from its centre at parameter t, in pixels.
float Cyc_X(const Engine& engine, float t);
float Cyc_Y(const Engine& engine, float t);

// Greatest common divisor by Euclid's remainders. Gcd(0, b) is b rather than
// a division by zero.
std::int16_t Gcd(std::int16_t a, std::int16_t b);

}  // namespace velkaro
