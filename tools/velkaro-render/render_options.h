#pragma once
// The command line of velkaro-render.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace velkaro::render_tool {

enum class Dump { None, Params, Palette };

struct Options {
  int pattern = 0;
  std::optional<std::string> params;  // scanned instead of the preset's string
  int frames = 120;
  int fps = 60;
  std::optional<std::uint32_t> seed;
  std::uint32_t clock_seconds = 0;  // the time of day every reseed from the clock uses
  bool random = false;
  std::optional<std::string> png;
  int every = 0;  // with png: a picture after every `every`-th frame, into SeriesFileName(png, k)
  std::optional<std::string> raw;
  Dump dump = Dump::None;
};

// The file of frame `frame` in a series of pictures named after `path`: the
// frame number in six digits before the extension ("run.png", 8 ->
// "run-000008.png").
std::string SeriesFileName(const std::string& path, int frame);

// The options, or a one-line message saying what is wrong with them.
std::variant<Options, std::string> ParseOptions(const std::vector<std::string_view>& arguments);

inline constexpr std::string_view kUsage =
    "usage: velkaro-render --pattern N [--params STRING] [--frames K] [--fps F] [--seed S] "
    "[--clock T] [--random] [--png FILE [--every N]] [--raw FILE] [--dump params|palette] | "
    "--version";

}  // namespace velkaro::render_tool
