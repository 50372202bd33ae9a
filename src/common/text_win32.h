#pragma once
// Texts between the program and the system's wide and ANSI entry points.
#include <optional>
#include <string>
#include <string_view>

namespace velkaro {

// The program's own text (UTF-8) as the wide text of its code page 932
// characters (ToUtf16), for a text that the system draws.
std::wstring WideText(std::string_view utf8);

// Text in the system's ANSI code page, such as a path the system gave, as
// wide text.
std::wstring WideFromSystemAnsi(std::string_view ansi);

// Wide text in the system's ANSI code page; nullopt when some character has
// no form there. The system's converter would put '?' or a look-alike in its
// place, and a path would then name another file or none.
std::optional<std::string> SystemAnsiFromWide(std::wstring_view wide);

}  // namespace velkaro
