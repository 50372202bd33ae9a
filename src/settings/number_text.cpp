#include "settings/number_text.h"

#include <cstdlib>
#include <string>

namespace velkaro {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipDigits(std::string_view text, std::size_t i) {
  while (i < text.size() && IsDigit(text[i])) ++i;
  return i;
}

}  // namespace

std::optional<double> ParseNumber(std::string_view text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  const std::string_view body = text.substr(begin, end - begin);

  std::size_t i = 0;
  if (i < body.size() && (body[i] == '+' || body[i] == '-')) ++i;
  std::size_t after = SkipDigits(body, i);
  bool has_digits = after > i;
  if (after < body.size() && body[after] == '.') {
    const std::size_t fraction = after + 1;
    after = SkipDigits(body, fraction);
    has_digits = has_digits || after > fraction;
  }
  if (!has_digits) return std::nullopt;
  if (after < body.size() && (body[after] == 'e' || body[after] == 'E')) {
    std::size_t exponent = after + 1;
    if (exponent < body.size() && (body[exponent] == '+' || body[exponent] == '-')) ++exponent;
    const std::size_t exponent_end = SkipDigits(body, exponent);
    if (exponent_end == exponent) return std::nullopt;
    after = exponent_end;
  }
  if (after != body.size()) return std::nullopt;

  // The grammar has been checked, so strtod sees only plain decimal text. It
  // gives plus or minus HUGE_VAL for values beyond a double, which no
  // variable can hold, and 0 for values below its smallest.
  return std::strtod(std::string(body).c_str(), nullptr);
}

}  // namespace velkaro
