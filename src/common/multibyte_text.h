#pragma once
// Text in an ANSI code page, stepped through by characters. In a double-byte
// code page such as 932 a character is one byte or a lead byte and the byte
// after it, and that second byte may be any byte from 0x40 up: '\' (0x5C) is
// the second byte of ソ, 表, 能 and 十, and letters are the second bytes of
// many more (ギ is 83 4D, "M"). A search or a cut byte by byte then finds a
// separator or a letter inside a character. In a single-byte code page such
// as 1252 every byte is a character.
//
// Which code page a text is in depends on where it came from: paths and
// file names that the system gave are in the system's ANSI code page (932 on
// a Japanese Windows, 1252 on a Western one), the program's own names are
// code page 932 on every system. The caller says which by the lead-byte test.
#include <cstddef>
#include <string_view>

namespace velkaro {

// True when byte begins a two-byte character in the text's code page.
using LeadByteTest = bool (*)(unsigned char byte);

// Code page 932: lead bytes 0x81-0x9F and 0xE0-0xFC.
bool IsCp932LeadByte(unsigned char byte);
// A single-byte code page: no byte leads.
bool IsNeverLeadByte(unsigned char byte);

// The length in bytes of the character at text[at]: 2 for a lead byte that
// has a byte after it, whatever that byte is (as the system's CharNextA and
// its converters take it), otherwise 1. A lead byte at the very end stands
// alone.
std::size_t CharacterLength(std::string_view text, std::size_t at, LeadByteTest is_lead);

// The offset of the last character of text that is one of the single-byte
// characters in any_of; npos when there is none. The second byte of a
// two-byte character never counts.
std::size_t FindLastCharacterOf(std::string_view text, std::string_view any_of,
                                LeadByteTest is_lead);

// The last count characters of text, or all of it when it has fewer.
std::string_view LastCharacters(std::string_view text, std::size_t count, LeadByteTest is_lead);

}  // namespace velkaro
