#pragma once
// The roundings the program uses, named once so that no site rounds ad hoc.
#include <cmath>
#include <concepts>
#include <limits>
#include <optional>

namespace velkaro {

// Nearest integer, an exact half going to the even neighbour. This is the
// conversion of a real value to an integer everywhere unless floor is named.
// It relies on the default rounding mode, which the program never changes.
inline double nearest(double v) { return std::nearbyint(v); }
inline float nearest(float v) { return std::nearbyint(v); }

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
