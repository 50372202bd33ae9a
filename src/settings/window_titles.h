#pragma once
// The captions by which a second start finds a running saver or an open
// settings dialog.
//
// The system gets a caption and the title that the single-instance test
// looks for in the same form: as wide text of these characters where windows
// keep wide texts, so that the caption reads as written here and is found
// under every ANSI code page, and on the 95/98 family as their code page 932
// bytes through the ANSI entry points, which match byte for byte.
#include <string_view>

namespace velkaro {

inline constexpr std::string_view kSaverWindowTitle = "Velkaro_Main";
inline constexpr std::string_view kSettingsWindowTitle = "Velkaroの設定";

}  // namespace velkaro
