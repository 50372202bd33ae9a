#pragma once
// The engine parameters of a run and the scanner of the option language that
// fills them from a pattern's parameter string.
//
// The language: two-character options ("-p", "-C" ...) each followed by one
// separator character and a value that runs to the next space; -c, -C and -s
// take two values. Text the scanner does not understand is skipped.
#include <cstdint>
#include <optional>
#include <string_view>

namespace velkaro {

// Written only by the scan at set-up, then read for the whole run. The member
// initialisers are the values before the scan. The moving emitter point
// (EmitX, EmitY) is engine state, not a parameter, so the scan cannot reset it.
struct EngineParams {
  std::int32_t PartMax = 0;     // -p: highest particle index
  std::int32_t BlurCount = 0;   // -b: blur passes per frame
  float Gravity = 0;            // -g: added to vy each step; negative rises
  bool WindOn = false;          // -w: the frame loop runs the wind step
  float WindAmp = 0;            // -w: wind amplitude in pixels
  std::int32_t PalMode = 0;     // -l: palette mode 0..5
  bool ScrollOn = false;        // -y: the buffer scrolls up each step
  std::int32_t ScrollRows = 0;  // -y: rows per step
  std::int32_t BurstCount = 0;  // -k: particles per burst
  bool EmitOn = false;          // -c: continuous emission
  std::int32_t AngleMin = 0;    // -c a: first launch angle, degrees
  std::int32_t AngleRange = 0;  // -c b: b - AngleMin launch angles
  std::uint8_t ColBase = 0;     // -C a: lowest start colour index
  std::uint8_t ColRange = 0;    // -C b: b - ColBase
  std::int32_t EmitCount = 0;   // -n: mean launches per step
  std::int32_t EmitJitter = 0;  // -N: spread of that number
  float SpeedMin = 0;           // -s a: lowest launch speed
  float SpeedRange = 0;         // -s b: b - SpeedMin
  std::int32_t EmitMode = 0;    // -f: 0 point, 1 bottom line, 2 random, 3 inset line
  float FadeBase = 0.2f;        // -d: mean colour decrement per step
  float FadeJitter = 0;         // -D: spread of the decrement
  bool ClearFrame = false;      // -r: clear the buffer before plotting

  bool operator==(const EngineParams&) const = default;
};

// Resets `params` to the values before the scan, scans `param_string` and then
// applies the defaults of -p, -b, -g, -c, -s, -n and -C for each of those the
// scan never matched. Never fails: a value that cannot be stored (beyond its
// target's range) leaves only that target unchanged. Safe for any input.
void ParseParams(std::string_view param_string, EngineParams& params);

// The leading numeric part of a value text: optional sign, digits, optional
// point and digits, read as a double (no exponent: "1e9" is 1). "-", "." and
// an empty text are 0, and so is "-0". Nothing when the number is beyond the
// range of a double. Exposed for tests.
std::optional<double> LeadingNumber(std::string_view text);

}  // namespace velkaro
