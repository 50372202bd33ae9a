#include "startup/command_line.h"

#include <cctype>

namespace velkaro {
namespace {

StartMode ModeOfLetter(const std::string& letter) {
  if (letter == "S") return StartMode::Show;
  if (letter == "P") return StartMode::Preview;
  if (letter == "C") return StartMode::Configure;
  if (letter == "A") return StartMode::ChangePassword;
  return StartMode::Unknown;
}

}  // namespace

std::string ModeLetter(std::string_view command_line) {
  if (command_line.size() < 2) return {};
  return std::string(1,
                     static_cast<char>(std::toupper(static_cast<unsigned char>(command_line[1]))));
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

StartCommand ParseCommandLine(std::string_view command_line) {
  if (command_line.empty()) return {StartMode::ShowByHand, std::nullopt};
  return {ModeOfLetter(ModeLetter(command_line)), WindowHandleArgument(command_line)};
}

}  // namespace velkaro
