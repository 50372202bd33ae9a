#include "effects/params.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <version>

#include "common/rounding.h"

namespace velkaro {
namespace {

// The options in the order the scanner compares them. Letters are
// case-sensitive: -n/-N, -c/-C and -d/-D are different options.
enum class Option { f, p, b, g, y, k, n, N, c, C, s, l, w, d, D, r, Count };

constexpr std::array<std::string_view, static_cast<std::size_t>(Option::Count)> kOptionNames = {
    "-f", "-p", "-b", "-g", "-y", "-k", "-n", "-N", "-c", "-C", "-s", "-l", "-w", "-d", "-D", "-r"};

std::optional<Option> MatchOption(std::string_view window) {
  for (std::size_t index = 0; index < kOptionNames.size(); ++index)
    if (window == kOptionNames[index]) return static_cast<Option>(index);
  return std::nullopt;
}

bool TakesTwoValues(Option option) {
  return option == Option::c || option == Option::C || option == Option::s;
}

// Positions below are counted from 1, as the option language defines them;
// a position past the end of the text holds no character (and so no space).
bool IsSpaceAt(std::string_view text, std::size_t position) {
  return position >= 1 && position <= text.size() && text[position - 1] == ' ';
}

// The characters at positions first .. last_excluded - 1 that exist.
std::string_view Characters(std::string_view text, std::size_t first, std::size_t last_excluded) {
  if (first > text.size() || last_excluded <= first) return {};
  return text.substr(first - 1, last_excluded - first);
}

struct Value {
  std::optional<double> number;
  std::size_t end;  // the space after the value, or a position past the end
};

// Reads the value starting at `start`. The end rule is the language's own: the
// value runs to the next space, and once it reaches the last position it takes
// the rest of the text. The loop always ends, since every turn either meets a
// space or moves on towards the end of the text.
Value ReadValue(std::string_view text, std::size_t start) {
  const std::size_t length = text.size();
  std::size_t j = start;
  while (!IsSpaceAt(text, j)) {
    ++j;
    if (j >= length) {
      ++j;
      break;
    }
  }
  return {LeadingNumber(Characters(text, start, j)), j};
}

// Integer targets take the nearest integer, ties to even; a value that does
// not fit leaves the target as it was.
template <std::integral Int>
void StoreInteger(Int& target, std::optional<double> value) {
  if (!value) return;
  if (const auto rounded = nearest_as<Int>(*value)) target = *rounded;
}

// Real targets are 32-bit floats; a value beyond their range does not fit.
void StoreReal(float& target, std::optional<double> value) {
  if (!value || !(std::fabs(*value) <= std::numeric_limits<float>::max())) return;
  target = static_cast<float>(*value);
}

// The second value of a two-value option is stored as its distance from the
// first target, computed in double from the value the first store left.
std::optional<double> Minus(std::optional<double> value, double stored_first) {
  if (!value) return std::nullopt;
  return *value - stored_first;
}

void Store(Option option, std::optional<double> a, std::optional<double> b, EngineParams& p) {
  switch (option) {
    case Option::f: StoreInteger(p.EmitMode, a); break;
    case Option::p: StoreInteger(p.PartMax, a); break;
    case Option::b: StoreInteger(p.BlurCount, a); break;
    case Option::g: StoreReal(p.Gravity, a); break;
    case Option::y:
      StoreInteger(p.ScrollRows, a);
      p.ScrollOn = true;
      break;
    case Option::k: StoreInteger(p.BurstCount, a); break;
    case Option::n: StoreInteger(p.EmitCount, a); break;
    case Option::N: StoreInteger(p.EmitJitter, a); break;
    case Option::c:
      StoreInteger(p.AngleMin, a);
      StoreInteger(p.AngleRange, Minus(b, p.AngleMin));
      p.EmitOn = true;
      break;
    case Option::C:
      StoreInteger(p.ColBase, a);
      StoreInteger(p.ColRange, Minus(b, p.ColBase));
      break;
    case Option::s:
      StoreReal(p.SpeedMin, a);
      StoreReal(p.SpeedRange, Minus(b, p.SpeedMin));
      break;
    case Option::l: StoreInteger(p.PalMode, a); break;
    case Option::w:
      StoreReal(p.WindAmp, a);
      p.WindOn = true;
      break;
    case Option::d: StoreReal(p.FadeBase, a); break;
    case Option::D: StoreReal(p.FadeJitter, a); break;
    case Option::r:
      if (a) p.ClearFrame = (*a == 1);
      break;
    case Option::Count: break;
  }
}

using MatchedOptions = std::array<bool, static_cast<std::size_t>(Option::Count)>;

// A default belongs to an option the scanner never matched; an option that
// matched keeps whatever its stores left, even a failed one.
void ApplyDefaults(const MatchedOptions& matched, EngineParams& p) {
  const auto absent = [&](Option option) { return !matched[static_cast<std::size_t>(option)]; };
  if (absent(Option::p)) p.PartMax = 2000;
  if (absent(Option::b)) p.BlurCount = 1;
  if (absent(Option::g)) p.Gravity = -0.01f;
  if (absent(Option::c)) {  // the angles only: emission stays off
    p.AngleMin = 180;
    p.AngleRange = 180;
  }
  if (absent(Option::s)) {
    p.SpeedMin = 0;
    p.SpeedRange = 1;
  }
  if (absent(Option::n)) p.EmitCount = 3;
  if (absent(Option::C)) {
    p.ColBase = 255;
    p.ColRange = 0;
  }
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t CountDigits(std::string_view text, std::size_t from) {
  std::size_t count = 0;
  while (from + count < text.size() && IsDigit(text[from + count])) ++count;
  return count;
}

// The nearest double to the digits (with at most one point), as from_chars
// reads them; false when that is out of range: too large, or too small and
// so read as 0.
bool ReadFixedDecimal(std::string_view digits, double& value) {
#if defined(__cpp_lib_to_chars)
  const auto [ptr, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                            std::chars_format::fixed);
  return error != std::errc::result_out_of_range;
#else
  // The web build's library has no from_chars for doubles. Its strtod rounds
  // to nearest as well, and reads the point in the "C" locale, which the
  // page never leaves.
  value = std::strtod(std::string(digits).c_str(), nullptr);
  const bool non_zero_digit = digits.find_first_not_of("0.") != std::string_view::npos;
  return !std::isinf(value) && !(value == 0 && non_zero_digit);
#endif
}

}  // namespace

std::optional<double> LeadingNumber(std::string_view text) {
  std::size_t position = 0;
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    ++position;
  }
  const std::size_t integer_digits = CountDigits(text, position);
  std::size_t numeric_end = position + integer_digits;
  std::size_t fraction_digits = 0;
  if (numeric_end < text.size() && text[numeric_end] == '.') {
    fraction_digits = CountDigits(text, numeric_end + 1);
    numeric_end += 1 + fraction_digits;
  }
  if (integer_digits + fraction_digits == 0) return 0.0;

  const std::string_view digits = text.substr(position, numeric_end - position);
  double magnitude = 0;
  if (!ReadFixedDecimal(digits, magnitude)) {
    // Too large for a double when a non-zero digit stands before the point;
    // otherwise too small, which reads as 0.
    const auto integer_part = digits.substr(0, integer_digits);
    if (integer_part.find_first_not_of('0') != std::string_view::npos) return std::nullopt;
    magnitude = 0;
  }
  // Adding +0 turns "-0" into plain 0, so no negative zero reaches a target.
  return (negative ? -magnitude : magnitude) + 0.0;
}

void ParseParams(std::string_view param_string, EngineParams& params) {
  params = EngineParams{};
  MatchedOptions matched{};
  const std::size_t length = param_string.size();
  std::size_t i = 1;
  while (i <= length) {
    const auto option = MatchOption(Characters(param_string, i, i + 2));
    if (!option) {
      ++i;
      continue;
    }
    // The value starts after exactly one separator character.
    Value value = ReadValue(param_string, i + 3);
    const std::optional<double> first = value.number;
    std::optional<double> second;
    if (TakesTwoValues(*option)) {
      value = ReadValue(param_string, value.end + 1);
      second = value.number;
    }
    Store(*option, first, second, params);
    matched[static_cast<std::size_t>(*option)] = true;
    i = value.end + 1;
  }
  ApplyDefaults(matched, params);
}

}  // namespace velkaro
