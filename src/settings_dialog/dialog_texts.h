#pragma once
// The settings dialog's texts (UTF-8; they reach the system as the wide text
// or the code page 932 bytes of their characters) and the fixed parts of its
// open-file request.
#include <cstdint>
#include <string>
#include <string_view>

namespace velkaro {

inline constexpr std::string_view kLabelFontFace = "ＭＳ Ｐゴシック";
inline constexpr std::string_view kPatternPanelTitle = "ｴﾌｪｸﾄﾊﾟﾀｰﾝ";
inline constexpr std::string_view kMusicPanelTitle = "BGM";
inline constexpr std::string_view kRandomLabel = "起動毎にﾗﾝﾀﾞﾑ";
inline constexpr std::string_view kRepeatLabel = "曲目をﾘﾋﾟｰﾄ";
inline constexpr std::string_view kCreditLine = "Velkaro 1.0.0 (c) Velkaro";
inline constexpr std::string_view kWebAddress = "http://velkaro.invalid/";
inline constexpr std::string_view kSaveCaption = "Setting";
inline constexpr std::string_view kCancelCaption = "Cancel";
inline constexpr std::string_view kFileButtonCaption = "...";
// Said when "Setting" could write the settings nowhere.
inline constexpr std::string_view kSaveFailedMessage = "設定を保存できませんでした。";

// The label of music choice kind (0 none, 1 audio CD, 2 music file).
std::string_view MusicKindLabel(int kind);

// What the open-file dialog is asked for, apart from the handles. Texts in
// UTF-8; the filter holds its own NULs and ends in a second one.
struct OpenFileRequestData {
  // The record's size in its 32-bit layout; with 64-bit pointers the same
  // fields take more bytes (OpenFileRecordSize).
  std::uint32_t structure_size = 0;
  std::string filter;
  std::uint32_t file_buffer_size = 0;
  std::uint32_t title_buffer_size = 0;
  std::string dialog_title;
  std::uint32_t flags = 0;
};
OpenFileRequestData MusicFileRequest();

}  // namespace velkaro
