#pragma once
// The captions by which a second start finds a running saver or an open
// settings dialog.
//
// Both windows set their captions through the ANSI entry points with exactly
// the code page 932 bytes of these texts, and the single-instance test passes
// the same bytes to FindWindowA. The system turns both into its own wide text
// with one and the same ANSI code page, so they match whatever that code page
// is; on a Japanese system the caption also reads as written here.
#include <string_view>

namespace velkaro {

inline constexpr std::string_view kSaverWindowTitle = "Velkaro_Main";
inline constexpr std::string_view kSettingsWindowTitle = "Velkaroの設定";

}  // namespace velkaro
