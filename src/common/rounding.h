#pragma once
// The roundings the program uses, named once so that no site rounds ad hoc.
#include <cmath>
#include <concepts>
#include <cstdint>
#include <limits>
#include <optional>

// SSE2's scalar conversion, on x86 only: emscripten's SSE headers (the web
// tree built with WebAssembly SIMD) define __SSE2__ too, but spell this
// conversion as a call of lrint, while WebAssembly's own nearest, which the
// plain forms below compile to, is one instruction.
#if defined(__SSE2__) && !defined(__wasm__)
#define VELKARO_SSE2_CONVERSION 1
#include <emmintrin.h>
#endif

namespace velkaro {

// Nearest integer, an exact half going to the even neighbour. This is the
// conversion of a real value to an integer everywhere unless floor is named.
// It relies on the default rounding mode, which the program never changes.
//
// std::nearbyint is a library call on an x86 without SSE4.1, once per
// particle coordinate. SSE2's conversion rounds by the same default mode and
// gives the same value for every input it can hold: below 2^31 in magnitude
// it converts exactly, and the sign is put back so that -0.4 still gives -0.
// Larger values, infinities and not-a-number are already whole (or not a
// number) and come back as they are, as from std::nearbyint.
inline double nearest(double v) {
#if defined(VELKARO_SSE2_CONVERSION)
  if (!(std::fabs(v) < 2147483648.0)) return std::nearbyint(v);
  return std::copysign(double(_mm_cvtsd_si32(_mm_set_sd(v))), v);
#else
  return std::nearbyint(v);
#endif
}

inline float nearest(float v) {
#if defined(VELKARO_SSE2_CONVERSION)
  // From 2^23 on every float is whole.
  if (!(std::fabs(v) < 8388608.0f)) return v;
  return std::copysign(float(_mm_cvtss_si32(_mm_set_ss(v))), v);
#else
  return std::nearbyint(v);
#endif
}

// nearest(v) as an int32, for a value the caller has already bounded well
// inside the int32 range (a coordinate inside the frame buffer, say); one
// conversion instruction where SSE2 is there.
inline std::int32_t nearest_int32(float v) {
#if defined(VELKARO_SSE2_CONVERSION)
  return _mm_cvtss_si32(_mm_set_ss(v));
#else
  return static_cast<std::int32_t>(std::nearbyint(v));
#endif
}

// A real value stored into an integer variable: rounded to nearest, or
// nothing when the rounded value does not fit (the store fails and the
// variable keeps its value). Not-a-number never fits.
template <std::integral Int>
std::optional<Int> nearest_as(double v) {
  const double r = nearest(v);
  if (!(r >= double(std::numeric_limits<Int>::min()) &&
        r <= double(std::numeric_limits<Int>::max())))
    return std::nullopt;
  return static_cast<Int>(r);
}

// The same for a value that is floored rather than rounded.
template <std::integral Int>
std::optional<Int> floor_as(double v) {
  const double r = std::floor(v);
  if (!(r >= double(std::numeric_limits<Int>::min()) &&
        r <= double(std::numeric_limits<Int>::max())))
    return std::nullopt;
  return static_cast<Int>(r);
}

}  // namespace velkaro
