#pragma once
// The screen-saver command line: "/s", "/p 1234", "/c:1234", "/a 1234" or
// nothing at all.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velkaro {

// The second character of the upper-cased line, or empty for a line shorter
// than two characters. The first character is not looked at, so /s, -s and
// xs all give "S".
std::string ModeLetter(std::string_view command_line);

// The window handle from the fourth character on, read from its leading
// decimal digits ("/p 1234" and "/p:1234" give 1234). Nothing when there are
// no digits there or the number does not fit 32 bits. A 32-bit value is all
// a window handle carries on 64-bit Windows too: handles are shared between
// 32- and 64-bit processes, so only their low 32 bits are significant, and
// a 64-bit HWND is that value sign-extended (WindowFromHandleNumber).
std::optional<std::int32_t> WindowHandleArgument(std::string_view command_line);

enum class StartMode {
  Show,            // "S": the system starts the saver full screen
  ShowByHand,      // no command line at all: the same run, started by hand
  Preview,         // "P"
  Configure,       // "C"
  ChangePassword,  // "A"
  Unknown,         // anything else, a single character included: ends at once
};

// The command line, read once.
struct StartCommand {
  StartMode mode = StartMode::Unknown;
  // WindowHandleArgument, for the modes that take a window.
  std::optional<std::int32_t> window;
};

StartCommand ParseCommandLine(std::string_view command_line);

}  // namespace velkaro
