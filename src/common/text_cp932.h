#pragma once
// The program keeps its texts in UTF-8 and hands them to the system's ANSI
// entry points as Shift-JIS (code page 932) bytes, whatever the system's own
// ANSI code page is, so that window titles and settings keys have the same
// bytes on every machine.
#include <string>
#include <string_view>

namespace velkaro {

// Converts UTF-8 text to code page 932. Only the characters that the
// program's own texts use are known (ASCII, the half-width katakana and the
// table in text_cp932.cpp); any other character becomes '?', as the system
// converter does with its default character.
std::string ToCp932(std::string_view utf8);

}  // namespace velkaro
