#include "render_options.h"

#include <charconv>
#include <cstdio>

namespace velkaro::render_tool {
namespace {

template <typename Int>
std::optional<Int> WholeNumber(std::string_view text) {
  Int value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

struct Parser {
  const std::vector<std::string_view>& arguments;
  std::size_t next = 0;
  Options options;
  std::string error;

  std::optional<std::string_view> Value(std::string_view option) {
    if (next >= arguments.size()) {
      error = std::string(option) + " needs a value";
      return std::nullopt;
    }
    return arguments[next++];
  }

  template <typename Int>
  bool Number(std::string_view option, Int& target, Int lowest, Int highest) {
    const auto text = Value(option);
    if (!text) return false;
    const auto value = WholeNumber<Int>(*text);
    if (!value || *value < lowest || *value > highest) {
      error = std::string(option) + ": not a number in " + std::to_string(lowest) + ".." +
              std::to_string(highest) + ": " + std::string(*text);
      return false;
    }
    target = *value;
    return true;
  }

  bool Text(std::string_view option, std::optional<std::string>& target) {
    const auto text = Value(option);
    if (text) target = std::string(*text);
    return text.has_value();
  }

  bool One(std::string_view option, bool& pattern_given) {
    if (option == "--pattern") {
      pattern_given = true;
      return Number(option, options.pattern, INT16_MIN, INT16_MAX);
    }
    if (option == "--frames") return Number(option, options.frames, 0, 10'000'000);
    if (option == "--fps") return Number(option, options.fps, 1, 1000);
    if (option == "--clock") return Number<std::uint32_t>(option, options.clock_seconds, 0, 86399);
    if (option == "--seed") {
      std::uint32_t seed = 0;
      if (!Number<std::uint32_t>(option, seed, 0, UINT32_MAX)) return false;
      options.seed = seed;
      return true;
    }
    if (option == "--random") return options.random = true;
    if (option == "--params") return Text(option, options.params);
    if (option == "--png") return Text(option, options.png);
    if (option == "--every") return Number(option, options.every, 1, 10'000'000);
    if (option == "--raw") return Text(option, options.raw);
    if (option == "--dump") {
      const auto what = Value(option);
      if (!what) return false;
      if (*what == "params")
        options.dump = Dump::Params;
      else if (*what == "palette")
        options.dump = Dump::Palette;
      else
        error = "--dump takes params or palette, not " + std::string(*what);
      return error.empty();
    }
    error = "unknown option " + std::string(option);
    return false;
  }
};

}  // namespace

std::variant<Options, std::string> ParseOptions(const std::vector<std::string_view>& arguments) {
  Parser parser{arguments, 0, {}, {}};
  bool pattern_given = false;
  while (parser.next < arguments.size()) {
    if (!parser.One(arguments[parser.next++], pattern_given)) return parser.error;
  }
  if (!pattern_given) return std::string("--pattern N is required");
  if (parser.options.every > 0 && !parser.options.png)
    return std::string("--every N needs --png FILE to name the series");
  return parser.options;
}

std::string SeriesFileName(const std::string& path, int frame) {
  const std::size_t folder_end = path.find_last_of('/');
  const std::size_t name_start = folder_end == std::string::npos ? 0 : folder_end + 1;
  std::size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || dot <= name_start) dot = path.size();
  char number[16];
  std::snprintf(number, sizeof number, "-%06d", frame);
  return path.substr(0, dot) + number + path.substr(dot);
}

}  // namespace velkaro::render_tool
