#include "effects/presets.h"

#include <array>

namespace velkaro {
namespace {

// Stored as text and scanned at every start; the strings are used exactly as
// written, including "-g -" (gravity 0), "-n 05" and ".1".
constexpr std::array<std::string_view, PatternCount> kParamStrings = {
    // 0
    "-b 5 -g -0.25 -w 2 -p 5000 -k 200 -l 0 -y 3 -c 0 360 -n 45 -s 0 4 -f 1",
    "-b 5 -g -0.25 -w 2 -p 5000 -k 200 -l 0 -y 3 -c 0 360 -n 25 -s 0 4 -f 1",
    "-b 5 -g -0.25 -w 2 -p 5000 -k 200 -l 0 -y 3 -c 0 360 -n 25 -s 0 1 -f 1",
    "-b 5 -g -0.05 -w 0.2 -p 5000 -k 200 -l 0 -y 3 -c 0 360 -n 25 -s 0 1 -f 1",
    "-b 2 -g -0.25 -w 2 -p 5000 -k 200 -l 0 -y 1 -c 0 360 -n 15 -s 0 4 -f 1",
    // 5
    "-b 1 -g -0.1 -w 0.5 -p 9000 -k 200 -l 0 -y 5 -c 180 360 -n 350 -s 0 10 -f 3 -d 15",
    "-b 6 -g -0.1 -w 0.5 -p 10000 -k 200 -l 0 -y 5 -c 180 360 -n 250 -s 0 10 -f 3 -d 9",
    "-b 5 -g -0.1 -w 0.5 -p 5000 -k 200 -l 0 -y 9 -c 0 360 -n 190 -s 0 1 -d 9 -f 2",
    "-b 5 -g -0.01 -w 0.1 -p 5000 -k 200 -l 3 -y 3 -c 0 360 -n 05 -s 0 0 -f 1",
    "-b 10 -g -0.01 -w 0.4 -p 5000 -k 200 -l 3 -y 3 -c 0 360 -n 12 -s 0 0 -f 1",
    // 10
    "-b 5 -g -0.55 -w 3 -p 5000 -k 200 -l 3 -y 6 -c 180 360 -n 20 -s 1 6 -d 0",
    "-b 1 -g -0.11 -w 0.1 -p 5500 -k 200 -l 3 -y 3 -c 0 360 -n 55 -s 0 1 -f 2",
    "-b 2 -g -0 -w 0 -p 15000 -k 200 -l 1 -y 0 -c 0 360 -n 150 -s 0 3 -r 1 -f 0",
    "-b 3 -g -0.01 -w 0 -p 5000 -k 200 -l 1 -y 0 -c 0 360 -n 90 -s 1 1 -d 0.1 -f 2 -r 1",
    "-b 9 -g 0 -w 0.5 -p 5000 -k 700 -l 1",
    // 15
    "-b 2 -g 0 -w 0.5 -p 1000 -k 200 -l 1",
    "-b 9 -g - -w 0.5 -p 5000 -k 200 -l 0 -y 0 -c 0 360 -n 30 -s 0 3 -f 2",
    "-b 4 -g - -w 0.5 -p 5000 -k 200 -l 0 -y 0 -c 0 360 -n 80 -s 0 4 -f 2 -d 15",
    "-b 2 -g -0.1 -w 0.5 -p 9000 -k 200 -l 0 -y 0 -c 0 360 -n 350 -s 0 10 -f 2 -d 15",
    "-b 5 -g -1 -w 0.5 -p 5000 -k 200 -l 0 -y 9 -c 0 360 -n 190 -s 0 5 -d 9",
    // 20
    "-b 11 -g -0 -p 7000 -k 400 -l 0 -c 0 360 -s 0 0.5 -n 50",
    "-b 6 -g -0 -w 0.5 -p 5000 -k 200 -l 0 -y 0 -c 0 360 -n 200 -s 20 20",
    "-b 11 -g -0 -p 7000 -k 400 -l 0 -c 0 360 -s 0 0.5 -n 50",
    "-b 1 -g .1 -w 0.5 -p 5000 -k 200 -l 0 -y 0 -c 0 360 -n 1 -s 0 3",
    "-b 2 -g -0.01 -w 0.5 -p 3000 -k 200 -l 0 -c 180 360 -y 3",
    // 25
    "-b 2 -g -0.01 -w 0.5 -p 3000 -k 200 -l 0 -c 180 360 -y 3",
    "-b 1 -g 0 -w 0.5 -p 5000 -k 200 -l 0 -y 0 -c 0 360 -n 1 -s 0 3",
    "-b 2 -g -0.01 -w 0.5 -p 3000 -k 200 -l 0 -c 180 360 -y 1",
};

bool IsPattern(int pattern) { return pattern >= 0 && pattern < PatternCount; }

}  // namespace

std::string_view ParamString(int pattern) {
  if (!IsPattern(pattern)) return {};
  return kParamStrings[static_cast<std::size_t>(pattern)];
}

std::optional<ExtraStart> ExtraStartValues(int pattern) {
  switch (pattern) {
    case 10:  // double sweep from the centre, moving right and down
    case 25: return ExtraStart{.EmitX = 160, .EmitY = 120, .SweepRight = true, .SweepDown = true};
    case 24:  // horizontal sweep along the bottom edge
      return ExtraStart{.EmitX = 160, .EmitY = 240, .SweepRight = true};
    case 26:  // bursts from the centre
      return ExtraStart{.EmitX = 160, .EmitY = 120};
    default: return std::nullopt;
  }
}

PatternSetUp SetUpFor(int pattern) {
  switch (pattern) {
    case 12:
    case 19:
    case 20: return PatternSetUp::Pendulum;
    case 21:
    case 22:
    case 27: return PatternSetUp::Curve;
    default: return PatternSetUp::None;
  }
}

}  // namespace velkaro
