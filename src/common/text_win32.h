#pragma once
// Texts between the program and the system's wide and ANSI entry points.
#include <optional>
#include <string>
#include <string_view>

#include <windows.h>

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

// DrawText of wide text. Where windows keep wide texts (wide_drawing, the NT
// family) it goes to DrawTextW. The 95/98 family's DrawTextW is one of its
// wide stubs that draw nothing, so there the text goes to DrawTextA in the
// system's ANSI code page, which on a Japanese system holds every character
// of the program's texts; a character without a form there becomes the
// converter's default character.
void DrawSystemText(HDC dc, std::wstring_view text, RECT& area, UINT format, bool wide_drawing);

}  // namespace velkaro
