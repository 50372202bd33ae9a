#pragma once
// The command line of the XScreenSaver hack, and the window it draws into.
// Options are spelt with one dash or two, as XScreenSaver's own hacks take
// them (its configuration files write "--root").
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace velkaro::xhack {

// One 60th of a second, the rate the effects were made for.
inline constexpr std::int64_t kDefaultDelayUs = 16667;
inline constexpr std::int64_t kLongestDelayUs = 10'000'000;

struct HackOptions {
  std::optional<std::uint32_t> window_id;   // -window-id
  bool root = false;                        // -root
  int pattern = 0;                          // -pattern N, 0..27
  bool random = false;                      // -random: a random pattern per start
  std::int64_t delay_us = kDefaultDelayUs;  // -delay: from one frame to the next
  bool help = false;                        // -help
};

// The options, or a one-line message naming the option that is wrong.
std::variant<HackOptions, std::string> ParseHackOptions(
    const std::vector<std::string_view>& arguments);

// A window id as X programs write it: decimal, or hexadecimal after 0x. An
// id is 29 bits at most; 0 names no window.
std::optional<std::uint32_t> ParseWindowId(std::string_view text);

// Where the hack draws.
struct WindowChoice {
  enum class Kind { Own, Given, Root };
  Kind kind = Kind::Own;
  std::uint32_t id = 0;  // for Given

  bool operator==(const WindowChoice&) const = default;
};

// -window-id wins; then the window XScreenSaver names in its environment
// variable, which -root means too when it is set (the daemon runs hacks with
// --root and gives them its own window there); then the root window; and
// with none of these a window of the hack's own. `environment_window` is
// $XSCREENSAVER_WINDOW, null when unset. A value there that is no window id
// is refused with a one-line message.
std::variant<WindowChoice, std::string> ChooseWindow(const HackOptions& options,
                                                     const char* environment_window);

inline constexpr std::string_view kHackUsage =
    "usage: velkaro [-window-id ID | -root] [-pattern N | -random] [-delay MICROSECONDS] "
    "[-help]\n"
    "  -window-id ID  draw into that window (decimal or 0x hex); $XSCREENSAVER_WINDOW too\n"
    "  -root          draw into the root window, or the one XScreenSaver names\n"
    "  -pattern N     the pattern, 0 to 27 (default 0)\n"
    "  -random        a random pattern at every start\n"
    "  -delay US      microseconds from one frame to the next (default 16667, 60 a second)\n"
    "Without -window-id or -root it opens a window of its own. It plays no music.\n";

}  // namespace velkaro::xhack
