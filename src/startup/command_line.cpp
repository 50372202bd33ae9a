#include "startup/command_line.h"

#include <cctype>

namespace velkaro {

std::string ModeLetter(std::string_view command_line) {
  if (command_line.size() < 2) return {};
  return std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(command_line[1]))));
}

std::optional<std::int32_t> WindowHandleArgument(std::string_view command_line) {
  if (command_line.size() < 4) return std::nullopt;
  std::int64_t value = 0;
  bool any_digit = false;
  std::string_view text = command_line.substr(3);
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  for (char c : text) {
    if (c < '0' || c > '9') break;
    any_digit = true;
    value = value * 10 + (c - '0');
    if (value > INT32_MAX) return std::nullopt;
  }
  if (!any_digit) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

}  // namespace velkaro
