#pragma once
// The bits of a float, for tests that compare values exactly. std::bit_cast
// would do, but the web tree's library (libc++ 13) lacks it.
#include <cstdint>
#include <cstring>

namespace velkaro {

inline std::uint32_t FloatBits(float v) {
  static_assert(sizeof(float) == sizeof(std::uint32_t));
  std::uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return bits;
}

}  // namespace velkaro
