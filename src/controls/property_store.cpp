#include "controls/property_store.h"

#include <limits>

namespace velkaro {
namespace {

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Numbers are kept as 16- or 32-bit integers or Booleans; a reader asks for
// one of them and takes any of the others that has the same value.
std::optional<std::int64_t> AsNumber(const PropertyValue& value) {
  if (const auto* v = std::get_if<std::int32_t>(&value)) return *v;
  if (const auto* v = std::get_if<std::int16_t>(&value)) return *v;
  if (const auto* v = std::get_if<bool>(&value)) return *v ? -1 : 0;
  return std::nullopt;
}

template <typename Int>
Int ReadInteger(const PropertyStore& store, std::string_view key, Int default_value) {
  const auto value = store.Read(key);
  if (!value) return default_value;
  const auto number = AsNumber(*value);
  if (!number || *number < std::numeric_limits<Int>::min() ||
      *number > std::numeric_limits<Int>::max())
    return default_value;
  return static_cast<Int>(*number);
}

template <typename T>
T ReadExactly(const PropertyStore& store, std::string_view key, const T& default_value) {
  const auto value = store.Read(key);
  if (!value) return default_value;
  if (const auto* v = std::get_if<T>(&*value)) return *v;
  return default_value;
}

}  // namespace

bool SameKey(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  return true;
}

std::string ReadText(const PropertyStore& store, std::string_view key,
                     std::string_view default_value) {
  return ReadExactly(store, key, std::string(default_value));
}

std::int32_t ReadInt32(const PropertyStore& store, std::string_view key,
                       std::int32_t default_value) {
  return ReadInteger(store, key, default_value);
}

std::int16_t ReadInt16(const PropertyStore& store, std::string_view key,
                       std::int16_t default_value) {
  return ReadInteger(store, key, default_value);
}

bool ReadBool(const PropertyStore& store, std::string_view key, bool default_value) {
  const auto value = store.Read(key);
  if (!value) return default_value;
  const auto number = AsNumber(*value);
  return number ? *number != 0 : default_value;
}

ButtonFont ReadFont(const PropertyStore& store, std::string_view key,
                    const ButtonFont& default_value) {
  return ReadExactly(store, key, default_value);
}

ButtonPicture ReadPicture(const PropertyStore& store, std::string_view key,
                          const ButtonPicture& default_value) {
  return ReadExactly(store, key, default_value);
}

std::size_t MemoryPropertyStore::IndexOf(std::string_view key) const {
  for (std::size_t i = 0; i < entries_.size(); ++i)
    if (SameKey(entries_[i].first, key)) return i;
  return kMissing;
}

std::optional<PropertyValue> MemoryPropertyStore::Read(std::string_view key) const {
  const std::size_t i = IndexOf(key);
  if (i == kMissing) return std::nullopt;
  return entries_[i].second;
}

// A rewrite keeps the entry's place but takes the new spelling of the key.
void MemoryPropertyStore::Write(std::string_view key, PropertyValue value) {
  const std::size_t i = IndexOf(key);
  if (i == kMissing) {
    entries_.emplace_back(std::string(key), std::move(value));
    return;
  }
  entries_[i] = {std::string(key), std::move(value)};
}

std::vector<std::string> MemoryPropertyStore::Keys() const {
  std::vector<std::string> keys;
  keys.reserve(entries_.size());
  for (const auto& entry : entries_) keys.push_back(entry.first);
  return keys;
}

}  // namespace velkaro
