#include "common/multibyte_text.h"

#include <vector>

namespace velkaro {
namespace {

// A lead byte's partner is known only by walking from the start: going
// backwards, a byte could end either a one-byte or a two-byte character.
std::vector<std::size_t> CharacterStarts(std::string_view text, LeadByteTest is_lead) {
  std::vector<std::size_t> starts;
  for (std::size_t at = 0; at < text.size(); at += CharacterLength(text, at, is_lead))
    starts.push_back(at);
  return starts;
}

}  // namespace

bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsNeverLeadByte(unsigned char) { return false; }

std::size_t CharacterLength(std::string_view text, std::size_t at, LeadByteTest is_lead) {
  return at + 1 < text.size() && is_lead(static_cast<unsigned char>(text[at])) ? 2 : 1;
}

std::size_t FindLastCharacterOf(std::string_view text, std::string_view any_of,
                                LeadByteTest is_lead) {
  std::size_t found = std::string_view::npos;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = CharacterLength(text, at, is_lead);
    if (length == 1 && any_of.find(text[at]) != std::string_view::npos) found = at;
    at += length;
  }
  return found;
}

std::string_view LastCharacters(std::string_view text, std::size_t count, LeadByteTest is_lead) {
  if (count == 0) return text.substr(text.size());
  const std::vector<std::size_t> starts = CharacterStarts(text, is_lead);
  if (starts.size() <= count) return text;
  return text.substr(starts[starts.size() - count]);
}

}  // namespace velkaro
