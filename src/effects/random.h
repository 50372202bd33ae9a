#pragma once
// The one pseudo-random generator of the effects engine. Every draw of a run
// goes through a single instance, so a run replays exactly from its seed in
// every build: the Mersenne Twister's sequence is fixed by the C++ standard,
// and the conversion to [0, 1) below is exact.
#include <cstdint>
#include <random>

namespace velkaro {

class Random {
 public:
  // Starts from the generator's fixed initial state (the standard default
  // seed), so a run of a fixed pattern replays the same sequence every time.
  Random() = default;

  // Restarts the sequence from the time of day, as a run that picks its
  // pattern at random, or the pendulum set-up, does.
  void reseed(std::uint32_t seconds_since_midnight);

  // One uniform draw r in [0, 1): the top 24 bits of the next 32-bit output,
  // which a float holds exactly.
  float next();

  // floor(r × n) for one draw r, giving 0 .. n - 1 for n > 0. The product is
  // a float product (float times int), as every such draw of the engine is.
  std::int32_t next_below(std::int32_t n);

 private:
  std::mt19937 engine_;
};

}  // namespace velkaro
