#pragma once
// What the end-to-end tests of a full-screen run share: how long the real
// Velkaro.scr may take under Wine, the settings that choose its pattern, and
// the moments a test waits for before it looks or gives input.
#include <windows.h>

#include <cstdint>
#include <string>

#include "settings/window_titles.h"
#include "support/saver_process_win32.h"
#include "support/screen_pixels_win32.h"
#include "support/wait_win32.h"

namespace velkaro::testing {

inline constexpr DWORD kAtOnceMs = 8000;  // start and end of a Wine process, with room
inline constexpr DWORD kWindowShowsMs = 15000;
inline constexpr DWORD kEndsMs = 8000;
// From the window's showing to the first frames on the screen, with room
// for a loaded machine.
inline constexpr DWORD kPictureShowsMs = 10000;

inline const std::wstring& SaverTitle() {
  static const std::wstring title = Wide(kSaverWindowTitle);
  return title;
}

// A settings file that chooses the pattern and leaves the rest as default.
inline std::string SettingsWithPattern(int pattern) {
  return "[Section]\r\n\xCA\xDF\xC0\xB0\xDD= " + std::to_string(pattern) + "\r\n";
}

// The run shows its window before it sets up the engine and makes the
// window topmost as its last step before the frame loop, which is where it
// reads input: true once it has, so that a key or a close request is taken
// by the running loop.
inline bool WaitUntilRunning(HWND saver_window, DWORD limit_ms = kWindowShowsMs) {
  return WaitUntil([&] { return (GetWindowLongA(saver_window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; },
                   limit_ms);
}

// Pattern 14's background, palette mode 1's index 0, 255 in its low byte
// (0x00RRGGBB): blue, a little off on a 16-bit display.
inline bool IsPatternFourteensBlue(std::uint32_t pixel) {
  const int r = int(pixel >> 16), g = int(pixel >> 8) & 0xFF, b = int(pixel & 0xFF);
  return r <= 4 && g >= 60 && g <= 68 && b >= 250;
}

// A colour as a pixel read from the screen, 0x00RRGGBB.
inline std::uint32_t AsPixel(COLORREF colour) {
  return std::uint32_t(GetRValue(colour)) << 16 | std::uint32_t(GetGValue(colour)) << 8 |
         GetBValue(colour);
}

// True once pattern 14's blue background is the colour the screen shows
// most.
inline bool WaitUntilTheScreenShowsPatternFourteen(DWORD limit_ms = kPictureShowsMs) {
  return WaitUntil([] { return IsPatternFourteensBlue(AsPixel(MostCommonScreenColour())); },
                   limit_ms);
}

// True once the file is held open for reading by someone else: the MP3
// device reads it without sharing writes, so a writer is refused.
inline bool HeldOpenWithin(const std::string& path, DWORD limit_ms) {
  bool held = false;
  WaitUntil(
      [&] {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
          held = GetLastError() == ERROR_SHARING_VIOLATION;
          return true;
        }
        CloseHandle(file);
        return false;
      },
      limit_ms, 100);
  return held;
}

}  // namespace velkaro::testing
