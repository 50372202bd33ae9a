#pragma once
// Velkaro.ini as it sits on disk: its keys are code page 932 bytes, and each
// line is "key=value" with CR LF.
#include <string>

namespace velkaro::testing {

inline const std::string kRandomKey = "\xD7\xDD\xC0\xDE\xD1";
inline const std::string kPatternKey = "\xCA\xDF\xC0\xB0\xDD";
inline const std::string kKindKey = "BGM\x8B\xE6\x95\xAA";
inline const std::string kRepeatKey = "BGM\xD8\xCB\xDF\xB0\xC4";
inline const std::string kFileKey = "BGM\xCC\xA7\xB2\xD9";

inline std::string IniLine(const std::string& key, const std::string& value) {
  return key + "=" + value + "\r\n";
}

}  // namespace velkaro::testing
