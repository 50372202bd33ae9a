#include "common/text_win32.h"

#include <windows.h>

#include "common/text_cp932.h"

namespace velkaro {

std::wstring WideText(std::string_view utf8) {
  const std::u16string utf16 = ToUtf16(utf8);
  return std::wstring(utf16.begin(), utf16.end());
}

std::wstring WideFromSystemAnsi(std::string_view ansi) {
  if (ansi.empty()) return {};
  // Never more wide characters than bytes.
  std::wstring wide(ansi.size(), L'\0');
  const int length = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()),
                                         wide.data(), static_cast<int>(wide.size()));
  wide.resize(length > 0 ? length : 0);
  return wide;
}

std::optional<std::string> SystemAnsiFromWide(std::wstring_view wide) {
  if (wide.empty()) return std::string();
  // At most two bytes a character in every ANSI code page.
  std::string ansi(wide.size() * 2, '\0');
  const int length =
      WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), ansi.data(),
                          static_cast<int>(ansi.size()), nullptr, nullptr);
  if (length <= 0) return std::nullopt;
  ansi.resize(length);
  // Only a text that reads back as itself has its form in the code page:
  // this catches the default character and the system's best-fit
  // look-alikes alike, on every system (WC_NO_BEST_FIT_CHARS is Windows 2000
  // and later).
  if (WideFromSystemAnsi(ansi) != wide) return std::nullopt;
  return ansi;
}

void DrawSystemText(HDC dc, std::wstring_view text, RECT& area, UINT format, bool wide_drawing) {
  if (text.empty()) return;
  const int length = static_cast<int>(text.size());
  if (wide_drawing) {
    DrawTextW(dc, text.data(), length, &area, format);
    return;
  }
  std::string ansi(text.size() * 2, '\0');
  const int bytes = WideCharToMultiByte(CP_ACP, 0, text.data(), length, ansi.data(),
                                        static_cast<int>(ansi.size()), nullptr, nullptr);
  if (bytes > 0) DrawTextA(dc, ansi.data(), bytes, &area, format);
}

}  // namespace velkaro
