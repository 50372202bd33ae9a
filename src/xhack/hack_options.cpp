#include "xhack/hack_options.h"

#include <charconv>

#include "effects/presets.h"

namespace velkaro::xhack {
namespace {

template <typename Int>
std::optional<Int> WholeNumber(std::string_view text, int base = 10) {
  Int value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// "--root" and "-root" are the same option.
std::string_view OptionName(std::string_view argument) {
  if (argument.starts_with("--")) argument.remove_prefix(1);
  return argument;
}

struct Parser {
  const std::vector<std::string_view>& arguments;
  std::size_t next = 0;
  HackOptions options;
  std::string error;

  std::optional<std::string_view> Value(std::string_view option) {
    if (next < arguments.size()) return arguments[next++];
    error = std::string(option) + " needs a value";
    return std::nullopt;
  }

  bool Number(std::string_view option, std::int64_t lowest, std::int64_t highest,
              std::int64_t& target) {
    const auto text = Value(option);
    if (!text) return false;
    const auto value = WholeNumber<std::int64_t>(*text);
    if (value && *value >= lowest && *value <= highest) {
      target = *value;
      return true;
    }
    error = std::string(option) + " takes a whole number " + std::to_string(lowest) + " to " +
            std::to_string(highest) + ", not \"" + std::string(*text) + "\"";
    return false;
  }

  bool One(std::string_view argument) {
    const std::string_view option = OptionName(argument);
    if (option == "-root") return options.root = true;
    if (option == "-random") return options.random = true;
    if (option == "-help") return options.help = true;
    if (option == "-delay") return Number(option, 0, kLongestDelayUs, options.delay_us);
    if (option == "-pattern") {
      std::int64_t pattern = 0;
      if (!Number(option, 0, PatternCount - 1, pattern)) return false;
      options.pattern = int(pattern);
      return true;
    }
    if (option == "-window-id") {
      const auto text = Value(option);
      if (!text) return false;
      options.window_id = ParseWindowId(*text);
      if (!options.window_id) error = "-window-id: not a window id: \"" + std::string(*text) + "\"";
      return options.window_id.has_value();
    }
    error = "unknown option \"" + std::string(argument) + "\" (see -help)";
    return false;
  }
};

}  // namespace

std::variant<HackOptions, std::string> ParseHackOptions(
    const std::vector<std::string_view>& arguments) {
  Parser parser{arguments, 0, {}, {}};
  while (parser.next < arguments.size()) {
    if (!parser.One(arguments[parser.next++])) return parser.error;
  }
  return parser.options;
}

std::optional<std::uint32_t> ParseWindowId(std::string_view text) {
  std::optional<std::uint32_t> id;
  if (text.starts_with("0x") || text.starts_with("0X"))
    id = WholeNumber<std::uint32_t>(text.substr(2), 16);
  else
    id = WholeNumber<std::uint32_t>(text);
  // X resource ids have their top three bits clear.
  if (!id || *id == 0 || *id > 0x1FFFFFFFu) return std::nullopt;
  return id;
}

std::variant<WindowChoice, std::string> ChooseWindow(const HackOptions& options,
                                                     const char* environment_window) {
  using Kind = WindowChoice::Kind;
  if (options.window_id) return WindowChoice{Kind::Given, *options.window_id};
  if (environment_window && *environment_window) {
    if (const auto id = ParseWindowId(environment_window)) return WindowChoice{Kind::Given, *id};
    return "$XSCREENSAVER_WINDOW is not a window id: \"" + std::string(environment_window) + "\"";
  }
  if (options.root) return WindowChoice{Kind::Root, 0};
  return WindowChoice{Kind::Own, 0};
}

}  // namespace velkaro::xhack
