#include "common/text_cp932.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "common/multibyte_text.h"

namespace velkaro {
namespace {

struct DoubleByte {
  char32_t code_point;
  std::uint8_t lead, trail;
};

// The full-width characters of the program's texts, sorted by code point.
// A test checks every entry against the system's converter.
// Laid out by hand: one character a row.
// clang-format off
constexpr std::array kDoubleByte{
    DoubleByte{U'、', 0x81, 0x41},
    DoubleByte{U'。', 0x81, 0x42},
    DoubleByte{U'い', 0x82, 0xA2},
    DoubleByte{U'が', 0x82, 0xAA},
    DoubleByte{U'き', 0x82, 0xAB},
    DoubleByte{U'く', 0x82, 0xAD},
    DoubleByte{U'さ', 0x82, 0xB3},
    DoubleByte{U'し', 0x82, 0xB5},
    DoubleByte{U'せ', 0x82, 0xB9},
    DoubleByte{U'た', 0x82, 0xBD},
    DoubleByte{U'て', 0x82, 0xC4},
    DoubleByte{U'で', 0x82, 0xC5},
    DoubleByte{U'に', 0x82, 0xC9},
    DoubleByte{U'の', 0x82, 0xCC},
    DoubleByte{U'ま', 0x82, 0xDC},
    DoubleByte{U'れ', 0x82, 0xEA},
    DoubleByte{U'を', 0x82, 0xF0},
    DoubleByte{U'ん', 0x82, 0xF1},
    DoubleByte{U'ク', 0x83, 0x4E},
    DoubleByte{U'コ', 0x83, 0x52},
    DoubleByte{U'ゴ', 0x83, 0x53},
    DoubleByte{U'シ', 0x83, 0x56},
    DoubleByte{U'ッ', 0x83, 0x62},
    DoubleByte{U'ド', 0x83, 0x68},
    DoubleByte{U'マ', 0x83, 0x7D},
    DoubleByte{U'ン', 0x83, 0x93},
    DoubleByte{U'保', 0x95, 0xDB},
    DoubleByte{U'分', 0x95, 0xAA},
    DoubleByte{U'列', 0x97, 0xF1},
    DoubleByte{U'動', 0x93, 0xAE},
    DoubleByte{U'区', 0x8B, 0xE6},
    DoubleByte{U'取', 0x8E, 0xE6},
    DoubleByte{U'字', 0x8E, 0x9A},
    DoubleByte{U'存', 0x91, 0xB6},
    DoubleByte{U'定', 0x92, 0xE8},
    DoubleByte{U'指', 0x8E, 0x77},
    DoubleByte{U'文', 0x95, 0xB6},
    DoubleByte{U'曲', 0x8B, 0xC8},
    DoubleByte{U'楽', 0x8A, 0x79},
    DoubleByte{U'毎', 0x96, 0x88},
    DoubleByte{U'無', 0x96, 0xB3},
    DoubleByte{U'目', 0x96, 0xDA},
    DoubleByte{U'設', 0x90, 0xDD},
    DoubleByte{U'起', 0x8B, 0x4E},
    DoubleByte{U'開', 0x8A, 0x4A},
    DoubleByte{U'音', 0x89, 0xB9},
    DoubleByte{U'Ｍ', 0x82, 0x6C},
    DoubleByte{U'Ｐ', 0x82, 0x6F},
    DoubleByte{U'Ｓ', 0x82, 0x72},
};
// clang-format on
// (The iterator forms of the algorithms: the web build's library has no
// ranges algorithms.)
constexpr bool ByCodePoint(const DoubleByte& a, const DoubleByte& b) {
  return a.code_point < b.code_point;
}
static_assert(std::is_sorted(kDoubleByte.begin(), kDoubleByte.end(), ByCodePoint));

// Decodes one UTF-8 sequence at text[i], advancing i. Malformed bytes decode
// to U+FFFD one byte at a time.
char32_t DecodeUtf8(std::string_view text, std::size_t& i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char b0 = byte(i);
  int length = b0 < 0x80 ? 1 : (b0 >> 5) == 6 ? 2 : (b0 >> 4) == 14 ? 3 : (b0 >> 3) == 30 ? 4 : 0;
  if (length == 0 || i + length > text.size()) {
    ++i;
    return U'\uFFFD';
  }
  char32_t cp = length == 1 ? b0 : b0 & (0x7F >> length);
  for (int k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) {
      ++i;
      return U'\uFFFD';
    }
    cp = (cp << 6) | (byte(i + k) & 0x3F);
  }
  i += length;
  return cp;
}

void AppendCp932(char32_t cp, std::string& out) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp >= U'\uFF61' && cp <= U'\uFF9F') {
    // Half-width katakana are single bytes A1..DF in the same order.
    out += static_cast<char>(cp - 0xFF61 + 0xA1);
  } else if (auto it = std::lower_bound(kDoubleByte.begin(), kDoubleByte.end(), cp,
                                        [](const DoubleByte& known, char32_t wanted) {
                                          return known.code_point < wanted;
                                        });
             it != kDoubleByte.end() && it->code_point == cp) {
    out += static_cast<char>(it->lead);
    out += static_cast<char>(it->trail);
  } else {
    out += '?';
  }
}

// The character of one code page 932 character of one or two bytes.
char32_t DecodeCp932(std::string_view character) {
  const auto b0 = static_cast<unsigned char>(character[0]);
  if (character.size() == 1) {
    if (b0 < 0x80) return b0;
    if (b0 >= 0xA1 && b0 <= 0xDF) return U'\uFF61' + (b0 - 0xA1);
    return U'\uFFFD';  // a lead byte cut off, or a byte the code page leaves unused
  }
  const auto b1 = static_cast<unsigned char>(character[1]);
  const auto it =
      std::find_if(kDoubleByte.begin(), kDoubleByte.end(),
                   [&](const DoubleByte& known) { return known.lead == b0 && known.trail == b1; });
  return it != kDoubleByte.end() ? it->code_point : U'\uFFFD';
}

}  // namespace

std::string ToCp932(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) AppendCp932(DecodeUtf8(utf8, i), out);
  return out;
}

std::u16string Cp932ToUtf16(std::string_view cp932) {
  std::u16string out;
  out.reserve(cp932.size());
  for (std::size_t at = 0; at < cp932.size();) {
    const std::size_t length = CharacterLength(cp932, at, IsCp932LeadByte);
    // Every character of code page 932 lies in the Basic Multilingual Plane.
    out += static_cast<char16_t>(DecodeCp932(cp932.substr(at, length)));
    at += length;
  }
  return out;
}

std::u16string ToUtf16(std::string_view utf8) { return Cp932ToUtf16(ToCp932(utf8)); }

}  // namespace velkaro
