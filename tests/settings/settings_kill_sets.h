#pragma once
// The two sets of settings that the atomic-save test alternates between;
// they differ in every key, and the music path in length.
#include <string>

#include "settings/settings.h"

namespace velkaro::testing {

inline Settings KillTestSettings(int which) {
  return which == 0 ? Settings{0, 3, 0, 0, "C:\\a.mp3"}
                    : Settings{1, -27, 2, 12, "C:\\music\\a much longer name of a song.wav"};
}
inline std::string KillTestRepeatText(int which) { return which == 0 ? "" : "12"; }

}  // namespace velkaro::testing
