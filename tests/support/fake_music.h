#pragma once
// The music module's seams in memory: the MCI device layer, the sound port
// and the window's two music timers.
//
// An MCI device layer in memory that answers command strings as the real one
// does for the two devices the music module uses: an audio CD drive
// ("cdaudio") and one MPEGVideo file opened under an alias. It keeps a disc
// of track_count tracks with a current track and a mode, positions per track
// in the tmsf time format, and the usual error codes for a missing drive or
// disc, tracks out of range, unknown devices and malformed commands. Every
// command is recorded with the reply length it came with.
#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "music/mci_port.h"
#include "music/music_player.h"

namespace velkaro::testing {

// The MCI error codes the fake answers with (MCIERR_BASE is 256).
inline constexpr std::uint32_t kUnrecognizedKeyword = 259;
inline constexpr std::uint32_t kUnrecognizedCommand = 261;
inline constexpr std::uint32_t kHardware = 262;
inline constexpr std::uint32_t kInvalidDeviceName = 263;
inline constexpr std::uint32_t kDeviceOpen = 265;
inline constexpr std::uint32_t kCannotLoadDriver = 266;
inline constexpr std::uint32_t kParamOverflow = 268;
inline constexpr std::uint32_t kBadInteger = 270;
inline constexpr std::uint32_t kFileNotFound = 275;
inline constexpr std::uint32_t kOutOfRange = 282;

struct SentCommand {
  std::string command;
  std::uint32_t reply_length;
  bool operator==(const SentCommand&) const = default;
  friend std::ostream& operator<<(std::ostream& out, const SentCommand& sent) {
    return out << '"' << sent.command << "\" (" << sent.reply_length << ')';
  }
};

class FakeMciDevice : public MciPort {
 public:
  // The CD drive and its disc.
  bool has_drive = true;
  bool has_disc = true;
  int track_count = 10;
  int current_track = 1;
  std::string cd_mode = "stopped";
  bool cd_open = false;
  std::string time_format = "msf";
  // When set, the drive answers the current-track query with this text.
  std::optional<std::string> current_track_reply;

  // The MPEGVideo device: files it can open, and the one it has open.
  std::set<std::string> playable_files;
  bool mp3_open = false;
  std::string mp3_mode;

  // Commands that fail with a given code whatever the state.
  std::map<std::string, std::uint32_t> forced_failures;
  // Error codes the system has a text for.
  std::map<std::uint32_t, std::string> error_texts = {
      {kInvalidDeviceName, "The specified device is not open or is not recognized by MCI."},
      {kHardware, "There is a problem with your media device."},
      {kOutOfRange, "The specified parameter is out of range for the specified command."},
  };

  std::vector<SentCommand> sent;
  std::vector<std::uint32_t> error_text_lengths;

  // Playback moving on by itself.
  void PlayOnInto(int track) { current_track = track; }
  void DiscEnds() { cd_mode = "stopped"; }
  void Mp3Ends() { mp3_mode = "stopped"; }

  std::uint32_t SendString(const char* command, char* reply, std::uint32_t reply_length) override {
    sent.push_back({command, reply_length});
    if (auto forced = forced_failures.find(command); forced != forced_failures.end())
      return forced->second;
    std::optional<std::string> answer;
    const std::uint32_t code = Execute(command, answer);
    // Like the real layer, a command without a return value leaves the
    // buffer as it was.
    if (code != 0 || !answer || reply_length == 0) return code;
    if (answer->size() + 1 > reply_length) return kParamOverflow;
    std::memcpy(reply, answer->c_str(), answer->size() + 1);
    return 0;
  }

  bool GetErrorString(std::uint32_t code, char* buffer, std::uint32_t length) override {
    error_text_lengths.push_back(length);
    const auto it = error_texts.find(code);
    if (it == error_texts.end() || length == 0) return false;
    const std::size_t n = std::min<std::size_t>(it->second.size(), length - 1);
    std::memcpy(buffer, it->second.data(), n);
    buffer[n] = '\0';
    return true;
  }

 private:
  static std::vector<std::string> Words(const std::string& command) {
    std::vector<std::string> words;
    std::istringstream in(command);
    for (std::string word; in >> word;) words.push_back(word);
    return words;
  }

  static std::optional<int> Integer(const std::string& text) {
    if (text.empty() || !std::all_of(text.begin(), text.end(), ::isdigit)) return std::nullopt;
    return std::stoi(text);
  }

  std::uint32_t Execute(const std::string& command, std::optional<std::string>& answer) {
    if (command.rfind("open \"", 0) == 0) return OpenFile(command);
    const std::vector<std::string> w = Words(command);
    if (w.size() < 2) return kUnrecognizedCommand;
    if (w[1] == "cdaudio") return Cd(w, answer);
    if (w[1] == "MP3Play") return Mp3(w, answer);
    return w[0] == "open" || w[0] == "play" || w[0] == "status" || w[0] == "stop" ||
                   w[0] == "close" || w[0] == "set"
               ? kInvalidDeviceName
               : kUnrecognizedCommand;
  }

  std::uint32_t OpenFile(const std::string& command) {
    const std::size_t close_quote = command.find('"', 6);
    if (close_quote == std::string::npos) return 256 + 38;  // no closing quote
    const std::string file = command.substr(6, close_quote - 6);
    if (command.substr(close_quote + 1) != " type MPEGVideo Alias MP3Play")
      return kUnrecognizedKeyword;
    if (mp3_open) return kDeviceOpen;
    if (!playable_files.count(file)) return kFileNotFound;
    mp3_open = true;
    mp3_mode = "stopped";
    return 0;
  }

  std::uint32_t Mp3(const std::vector<std::string>& w, std::optional<std::string>& answer) {
    if (!mp3_open) return kInvalidDeviceName;
    const std::string rest = Join(w, 2);
    if (w[0] == "status" && rest == "mode") {
      answer = mp3_mode;
      return 0;
    }
    if (w[0] == "play" && (rest.empty() || rest == "from 0")) {
      mp3_mode = "playing";
      return 0;
    }
    if (w[0] == "stop" && rest.empty()) {
      mp3_mode = "stopped";
      return 0;
    }
    if (w[0] == "close" && rest.empty()) {
      mp3_open = false;
      return 0;
    }
    return kUnrecognizedKeyword;
  }

  std::uint32_t Cd(const std::vector<std::string>& w, std::optional<std::string>& answer) {
    if (w[0] == "open" && w.size() == 2) {
      if (!has_drive) return kCannotLoadDriver;
      if (cd_open) return kDeviceOpen;
      cd_open = true;
      return 0;
    }
    if (!cd_open) return kInvalidDeviceName;
    const std::string rest = Join(w, 2);
    if (w[0] == "set" && rest == "time format tmsf") {
      time_format = "tmsf";
      return 0;
    }
    if (w[0] == "close" && rest.empty()) {
      cd_open = false;
      return 0;
    }
    if (w[0] == "status" && rest == "mode") {
      answer = has_disc ? cd_mode : "not ready";
      return 0;
    }
    if (!has_disc) return kHardware;
    if (w[0] == "status") return CdStatus(w, rest, answer);
    if (w[0] == "play") return CdPlay(w);
    if (w[0] == "stop" && rest.empty()) {
      cd_mode = "stopped";
      return 0;
    }
    return w[0] == "set" || w[0] == "stop" ? kUnrecognizedKeyword : kUnrecognizedCommand;
  }

  std::uint32_t CdStatus(const std::vector<std::string>& w, const std::string& rest,
                         std::optional<std::string>& answer) {
    if (rest == "current track") {
      answer = current_track_reply.value_or(std::to_string(current_track));
      return 0;
    }
    if (rest == "number of tracks") {
      answer = std::to_string(track_count);
      return 0;
    }
    if (w.size() == 5 && w[2] == "position" && w[3] == "track") {
      const std::optional<int> track = Integer(w[4]);
      if (!track) return kBadInteger;
      if (*track < 1 || *track > track_count) return kOutOfRange;
      answer = TrackStart(*track);
      return 0;
    }
    return kUnrecognizedKeyword;
  }

  std::uint32_t CdPlay(const std::vector<std::string>& w) {
    if (w.size() == 2) {
      cd_mode = "playing";
      return 0;
    }
    if (w.size() != 4 || w[2] != "from") return kUnrecognizedKeyword;
    // A tmsf position: track, minutes, seconds, frames, separated by colons.
    std::istringstream in(w[3]);
    std::string field;
    std::vector<int> fields;
    while (std::getline(in, field, ':')) {
      const std::optional<int> value = Integer(field);
      if (!value) return kBadInteger;
      fields.push_back(*value);
    }
    if (fields.empty() || fields.size() > 4) return kBadInteger;
    if (fields[0] < 1 || fields[0] > track_count) return kOutOfRange;
    current_track = fields[0];
    cd_mode = "playing";
    return 0;
  }

  static std::string TrackStart(int track) {
    return (track < 10 ? "0" : "") + std::to_string(track) + ":00:00:00";
  }

  static std::string Join(const std::vector<std::string>& w, std::size_t from) {
    std::string text;
    for (std::size_t i = from; i < w.size(); ++i) text += (text.empty() ? "" : " ") + w[i];
    return text;
  }
};

struct PlayedSound {
  std::optional<std::string> name;
  std::uint32_t flags;
  bool operator==(const PlayedSound&) const = default;
};

class FakeSoundPort : public SoundPort {
 public:
  std::uint32_t WaveOutDeviceCount() override { return devices; }
  bool Play(const char* name, std::uint32_t flags) override {
    played.push_back({name ? std::optional<std::string>(name) : std::nullopt, flags});
    return true;
  }
  LeadByteTest FileNameLeadBytes() const override { return file_name_lead_bytes; }
  std::uint32_t devices = 1;
  std::vector<PlayedSound> played;
  LeadByteTest file_name_lead_bytes = IsNeverLeadByte;  // as under code page 1252
};

// The saver window's music timers as two flags.
class FakeMusicTimers : public MusicTimers {
 public:
  void EnableMp3Check() override { mp3_check = true; }
  void EnableCdCheck() override { cd_check = true; }
  void DisableCdCheck() override { cd_check = false; }
  bool CdCheckEnabled() const override { return cd_check; }
  bool mp3_check = false, cd_check = false;
};

}  // namespace velkaro::testing
