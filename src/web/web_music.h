#pragma once
// The saver's music in the page: its MCI command strings and wave sounds
// played by the page's audio. The page has no CD drive and one device for
// files, which plays the MP3 file the music module opens as "MP3Play".
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "music/mci_port.h"
#include "music/music_player.h"
#include "settings/settings.h"
#include "web/page_audio.h"

namespace velkaro::web {

// The MCI error codes the page's device layer answers with, as the system's
// (MCIERR_BASE is 256).
inline constexpr std::uint32_t kMciUnrecognizedKeyword = 259;
inline constexpr std::uint32_t kMciUnrecognizedCommand = 261;
// "The specified device is not open or is not recognized by MCI": what the
// system answers both for an alias nobody opened and for a device it has no
// driver for, so that a command to anything the page does not have (the
// CD's "cdaudio" above all) fails as it does on a machine without it.
inline constexpr std::uint32_t kMciInvalidDeviceName = 263;
inline constexpr std::uint32_t kMciDeviceOpen = 265;
inline constexpr std::uint32_t kMciParamOverflow = 268;
inline constexpr std::uint32_t kMciFileNotFound = 275;
inline constexpr std::uint32_t kMciNoClosingQuote = 294;

// The MCI command strings of an MPEGVideo file, as the system takes them:
// keywords, device types and aliases in any case, words separated by
// blanks, a name with blanks in double quotes, and the open command's
// keywords in any order. The file named in an open is one the page
// registered with the audio.
class WebMciPort final : public MciPort {
 public:
  explicit WebMciPort(PageAudio& audio) : audio_(audio) {}
  WebMciPort(const WebMciPort&) = delete;
  WebMciPort& operator=(const WebMciPort&) = delete;

  std::uint32_t SendString(const char* command, char* reply, std::uint32_t reply_length) override;
  bool GetErrorString(std::uint32_t code, char* buffer, std::uint32_t length) override;

 private:
  using Words = std::vector<std::string>;
  std::uint32_t Execute(const Words& words, std::optional<std::string>& answer);
  std::uint32_t Open(const Words& words);
  std::uint32_t OnOpenDevice(const Words& words, std::optional<std::string>& answer);

  PageAudio& audio_;
  // The alias of the open file, while one is open.
  std::optional<std::string> open_alias_;
};

// PlaySound on the page: the music module's looping sound and its stop.
class WebSoundPort final : public SoundPort {
 public:
  explicit WebSoundPort(PageAudio& audio) : audio_(audio) {}
  WebSoundPort(const WebSoundPort&) = delete;
  WebSoundPort& operator=(const WebSoundPort&) = delete;

  std::uint32_t WaveOutDeviceCount() override { return 1; }
  // Only the asynchronous loop plays: a sound played once or while the
  // caller waits is not something the page's audio does, and fails.
  bool Play(const char* name, std::uint32_t flags) override;
  // The page's names are UTF-8, in which no byte of a character beyond
  // ASCII is an ASCII byte: the last three bytes are ASCII letters only when
  // they are the last three characters, so the names split as a single-byte
  // code page's do for the music file's ending. A double-byte test would
  // join the last byte of a character such as ぁ (E3 81 81) with the letter
  // after it.
  LeadByteTest FileNameLeadBytes() const override { return IsNeverLeadByte; }

 private:
  PageAudio& audio_;
};

// The music of one run in the page: the saver's player on the page's audio,
// with the settings of a music file (BGM_Kind 2) named as the page
// registered it.
class WebMusic {
 public:
  WebMusic(std::unique_ptr<PageAudio> audio, const std::string& file_name);
  WebMusic(const WebMusic&) = delete;
  WebMusic& operator=(const WebMusic&) = delete;

  MusicPlayer& player() { return player_; }
  const Settings& settings() const { return settings_; }

 private:
  std::unique_ptr<PageAudio> audio_;
  WebMciPort mci_;
  WebSoundPort sound_;
  Settings settings_;
  MusicPlayer player_;
};

}  // namespace velkaro::web
