#pragma once
// The container's property store: the named values a form keeps for each
// control it holds. Keys are matched without regard to letter case, so a
// value written as "cBhover" is read back by "cBHover".
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "controls/button_properties.h"

namespace velkaro {

using PropertyValue =
    std::variant<std::string, std::int32_t, std::int16_t, bool, ButtonFont, ButtonPicture>;

class PropertyStore {
 public:
  virtual ~PropertyStore() = default;
  // The value stored under key (case ignored), or nothing.
  virtual std::optional<PropertyValue> Read(std::string_view key) const = 0;
  // Stores value under key, replacing a value stored under any spelling of it.
  virtual void Write(std::string_view key, PropertyValue value) = 0;
};

// Typed reads. A missing key, or a value that cannot be taken as the type
// asked for (text for a number, a number out of range), gives the default:
// a damaged store must never stop a form from loading.
std::string ReadText(const PropertyStore& store, std::string_view key,
                     std::string_view default_value);
std::int32_t ReadInt32(const PropertyStore& store, std::string_view key,
                       std::int32_t default_value);
std::int16_t ReadInt16(const PropertyStore& store, std::string_view key,
                       std::int16_t default_value);
bool ReadBool(const PropertyStore& store, std::string_view key, bool default_value);
ButtonFont ReadFont(const PropertyStore& store, std::string_view key,
                    const ButtonFont& default_value);
ButtonPicture ReadPicture(const PropertyStore& store, std::string_view key,
                          const ButtonPicture& default_value);

// True when the two keys are the same key (ASCII letter case ignored).
bool SameKey(std::string_view a, std::string_view b);

// A store in memory that keeps its entries in the order they were first
// written. The settings dialog keeps its buttons' values in one; tests
// examine what a control wrote.
class MemoryPropertyStore final : public PropertyStore {
 public:
  std::optional<PropertyValue> Read(std::string_view key) const override;
  void Write(std::string_view key, PropertyValue value) override;

  bool Contains(std::string_view key) const { return IndexOf(key) != kMissing; }
  // The keys as written, in the order of their first writing.
  std::vector<std::string> Keys() const;
  void Clear() { entries_.clear(); }

 private:
  static constexpr std::size_t kMissing = static_cast<std::size_t>(-1);
  std::size_t IndexOf(std::string_view key) const;

  std::vector<std::pair<std::string, PropertyValue>> entries_;
};

}  // namespace velkaro
