#pragma once
// The program keeps its texts in UTF-8. The settings keys go to the system's
// ANSI entry points as Shift-JIS (code page 932) bytes, whatever the system's
// own ANSI code page is, so that the file has the same bytes on every
// machine. Texts that the system draws (captions, the file dialog's title)
// go to its wide entry points as UTF-16 of those same characters, which reads
// the same under every ANSI code page. Both conversions use the table here,
// not the system's converters: a Western system may not have code page 932.
#include <string>
#include <string_view>

namespace velkaro {

// Converts UTF-8 text to code page 932. Only the characters that the
// program's own texts use are known (ASCII, the half-width katakana and the
// table in text_cp932.cpp); any other character becomes '?', as the system
// converter does with its default character.
std::string ToCp932(std::string_view utf8);

// Code page 932 bytes as UTF-16, for the characters that ToCp932 knows.
// Anything else, a lead byte without its second byte included, becomes
// U+FFFD.
std::u16string Cp932ToUtf16(std::string_view cp932);

// UTF-8 text as UTF-16 through code page 932: the characters that ToCp932
// knows as themselves, any other as '?'. A text reads the same whether the
// system gets it this way or as ToCp932's bytes on a Japanese system.
std::u16string ToUtf16(std::string_view utf8);

}  // namespace velkaro
