// Any text as a pattern's parameter string, far longer than the presets.
// The scan must never fail, and it must depend on nothing but its text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "effects/params.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  velkaro::EngineParams first;
  velkaro::ParseParams(text, first);
  // A second scan over parameters left by the first starts from the same
  // reset state, so it must give the same values.
  velkaro::EngineParams second = first;
  second.PartMax = -7;
  velkaro::ParseParams(text, second);
  if (!(first == second)) std::abort();

  velkaro::LeadingNumber(text);
  return 0;
}
