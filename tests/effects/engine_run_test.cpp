// Whole runs of the engine, summarised as digests. The unit tests run in
// the host build and, under Wine, in the Windows build: these digests are
// how a difference in float arithmetic between the two (excess precision,
// fused multiply-add, a libm that rounds differently) shows up.
#include <gtest/gtest.h>

#include <cstdint>

#include "effects/animators.h"
#include "effects/engine.h"
#include "effects/engine_setup.h"
#include "effects/particles.h"
#include "support/float_bits.h"

namespace velkaro {
namespace {

struct Digest {
  std::uint64_t value = 0xcbf29ce484222325u;  // FNV-1a
  void add(std::uint32_t word) {
    for (int shift = 0; shift < 32; shift += 8) {
      value ^= (word >> shift) & 0xffu;
      value *= 0x100000001b3u;
    }
  }
};

// `frames` frames of the pattern, set up without the noise fill, with a
// burst tick every 4th frame and a motion tick every 8th, the wind clock
// advancing 40 ms a frame.
std::uint64_t RunDigest(int pattern, int frames) {
  Random random;
  Engine e(random);
  EngineSetUpOptions set_up;
  set_up.seconds_since_midnight = 4321;
  set_up.fill_noise = false;
  auto Pattern_No = std::int16_t(pattern);
  SetUpEngine(e, 0, Pattern_No, set_up);
  for (int frame = 0; frame < frames; ++frame) {
    animPart(e);
    if (e.params.WindOn) AnimWind(e, std::uint32_t(frame) * 40);
    DrawPart(e);
    if (frame % 4 == 3) PatternBurst(e);
    if (frame % 8 == 7) PatternMotion(e);
  }
  Digest d;
  for (std::uint8_t byte : e.FrameBuf.bytes()) d.add(byte);
  for (const Particle& p : e.Particles) {
    for (float v : {p.x, p.y, p.vx, p.vy, p.col, p.fade}) d.add(FloatBits(v));
  }
  d.add(std::uint32_t(e.EmitX));
  d.add(std::uint32_t(e.EmitY));
  d.add(std::uint32_t(e.NextPart));
  return d.value;
}

TEST(EngineRun, DigestsAreTheSameInEveryBuild) {
  struct Case {
    int pattern;
    std::uint64_t digest;
  };
  // Digests of the host build: a fire line (3), random points with wind
  // (7), the double sweep (10), the pendulum with ClearFrame (12), the curve
  // (21) and falling sparks (23).
  for (const Case c : {
           Case{3, 0x934b891a040b806eu},
           Case{7, 0x6b51823cc9e5193du},
           Case{10, 0x76c4bcb0347a56c6u},
           Case{12, 0xae3d1c4621f516cbu},
           Case{21, 0xdf5c0985ae893ba0u},
           Case{23, 0xc076e5665ca16045u},
       }) {
    EXPECT_EQ(RunDigest(c.pattern, 120), c.digest) << "pattern " << c.pattern;
  }
}

}  // namespace
}  // namespace velkaro
