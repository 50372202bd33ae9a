#include "web/web_options.h"

#include <charconv>

#include "effects/presets.h"

namespace velkaro::web {
namespace {

// The value when `text` is a whole decimal number in lowest..highest.
std::optional<std::int64_t> NumberIn(std::string_view text, std::int64_t lowest,
                                     std::int64_t highest) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < lowest || value > highest) return std::nullopt;
  return value;
}

// The renderer's ranges, with the pattern limited to the 28 there are.
void Apply(std::string_view name, std::string_view value, WebRunOptions& options) {
  if (name == "pattern") {
    options.pattern = int(NumberIn(value, 0, PatternCount - 1).value_or(0));
  } else if (name == "seed") {
    if (const auto seed = NumberIn(value, 0, UINT32_MAX)) options.seed = std::uint32_t(*seed);
  } else if (name == "clock") {
    options.clock_seconds = std::uint32_t(NumberIn(value, 0, 86399).value_or(0));
  } else if (name == "frames") {
    if (const auto frames = NumberIn(value, 0, 10'000'000)) options.frames = std::int32_t(*frames);
  } else if (name == "fps") {
    options.fps = std::int32_t(NumberIn(value, 1, 1000).value_or(60));
  } else {
    return;
  }
  options.replay = true;
}

}  // namespace

WebRunOptions ParseAddressQuery(std::string_view query) {
  if (query.starts_with('?')) query.remove_prefix(1);
  WebRunOptions options;
  while (!query.empty()) {
    const std::size_t amp = query.find('&');
    const std::string_view pair = query.substr(0, amp);
    query = amp == std::string_view::npos ? std::string_view() : query.substr(amp + 1);
    const std::size_t equals = pair.find('=');
    if (equals == std::string_view::npos) continue;
    Apply(pair.substr(0, equals), pair.substr(equals + 1), options);
  }
  return options;
}

}  // namespace velkaro::web
