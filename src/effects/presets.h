#pragma once
// The 28 effect patterns: each one's parameter string, the start values a few
// patterns set directly, and which animator set-up a pattern runs before its
// string is scanned.
#include <cstdint>
#include <optional>
#include <string_view>

namespace velkaro {

inline constexpr int PatternCount = 28;

// The parameter string of a pattern 0..27; any other number gives the empty
// string, which leaves every default in force and launches nothing.
std::string_view ParamString(int pattern);

// Start values of the moving emitter that patterns 10, 24, 25 and 26 set
// before the scan. The scan never touches them.
struct ExtraStart {
  std::int32_t EmitX = 0;
  std::int32_t EmitY = 0;
  bool SweepRight = false;
  bool SweepDown = false;
  bool operator==(const ExtraStart&) const = default;
};

// The pattern's extra start values, or nothing for a pattern that has none
// (its emitter keeps the fresh state or is placed by its animator).
std::optional<ExtraStart> ExtraStartValues(int pattern);

// The animator set-up a pattern runs between choosing the pattern and the
// scan: the spring pendulum (12, 19, 20) or the looping curve (21, 22, 27).
enum class PatternSetUp { None, Pendulum, Curve };
PatternSetUp SetUpFor(int pattern);

}  // namespace velkaro
