#include "web/web_music.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace velkaro::web {
namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower;
}

bool SameWord(std::string_view a, std::string_view b) { return Lower(a) == Lower(b); }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The words of a command; a word in double quotes is one word without them,
// whatever it holds. nullopt when a quote is not closed.
std::optional<std::vector<std::string>> WordsOf(std::string_view command) {
  std::vector<std::string> words;
  std::size_t at = 0;
  while (true) {
    while (at < command.size() && IsBlank(command[at])) ++at;
    if (at == command.size()) return words;
    if (command[at] == '"') {
      const std::size_t close = command.find('"', at + 1);
      if (close == std::string_view::npos) return std::nullopt;
      words.emplace_back(command.substr(at + 1, close - at - 1));
      at = close + 1;
    } else {
      const std::size_t start = at;
      while (at < command.size() && !IsBlank(command[at])) ++at;
      words.emplace_back(command.substr(start, at - start));
    }
  }
}

// The words after the verb and the device, lower-cased, joined by one blank.
std::string ArgumentsOf(const std::vector<std::string>& words) {
  std::string arguments;
  for (std::size_t i = 2; i < words.size(); ++i)
    (arguments += arguments.empty() ? "" : " ") += Lower(words[i]);
  return arguments;
}

// The system's English texts for the codes the page answers with.
std::string_view ErrorText(std::uint32_t code) {
  switch (code) {
    case kMciUnrecognizedKeyword:
      return "The driver cannot recognize the specified command parameter.";
    case kMciUnrecognizedCommand: return "The driver cannot recognize the specified command.";
    case kMciInvalidDeviceName:
      return "The specified device is not open or is not recognized by MCI.";
    case kMciDeviceOpen:
      return "The device name is already being used as an alias by this application. Use a unique "
             "alias.";
    case kMciParamOverflow:
      return "The output string was too large to fit in the return buffer. Increase the size of "
             "the buffer.";
    case kMciFileNotFound:
      return "Cannot find the specified file. Make sure the path and filename are correct.";
    case kMciNoClosingQuote: return "A closing quotation mark is missing.";
    default: return {};
  }
}

Settings MusicFileSettings(const std::string& file_name) {
  Settings settings;
  settings.BGM_Kind = 2;
  settings.BGM_File = file_name;
  return settings;
}

}  // namespace

std::uint32_t WebMciPort::SendString(const char* command, char* reply, std::uint32_t reply_length) {
  const std::optional<Words> words = WordsOf(command);
  if (!words) return kMciNoClosingQuote;
  std::optional<std::string> answer;
  const std::uint32_t code = Execute(*words, answer);
  // A command that returns nothing leaves the buffer as it was, as the
  // system's layer does.
  if (code != 0 || !answer || reply_length == 0) return code;
  if (answer->size() + 1 > reply_length) return kMciParamOverflow;
  std::memcpy(reply, answer->c_str(), answer->size() + 1);
  return 0;
}

bool WebMciPort::GetErrorString(std::uint32_t code, char* buffer, std::uint32_t length) {
  const std::string_view text = ErrorText(code);
  if (text.empty() || length == 0) return false;
  const std::size_t written = std::min<std::size_t>(text.size(), length - 1);
  std::memcpy(buffer, text.data(), written);
  buffer[written] = '\0';
  return true;
}

std::uint32_t WebMciPort::Execute(const Words& words, std::optional<std::string>& answer) {
  if (words.size() < 2) return kMciUnrecognizedCommand;
  if (SameWord(words[0], "open")) return Open(words);
  if (!open_alias_ || !SameWord(words[1], *open_alias_)) return kMciInvalidDeviceName;
  return OnOpenDevice(words, answer);
}

// "open NAME type MPEGVideo alias ALIAS". An open with no type names a
// device, and the page has none but the file device.
std::uint32_t WebMciPort::Open(const Words& words) {
  std::optional<std::string> type, alias;
  for (std::size_t i = 2; i < words.size(); i += 2) {
    const std::string keyword = Lower(words[i]);
    if (i + 1 == words.size() || (keyword != "type" && keyword != "alias"))
      return kMciUnrecognizedKeyword;
    (keyword == "type" ? type : alias) = words[i + 1];
  }
  if (!type || !SameWord(*type, "mpegvideo")) return kMciInvalidDeviceName;
  // The page has a single file device; the music module opens one file.
  if (open_alias_) return kMciDeviceOpen;
  if (!audio_.Open(words[1])) return kMciFileNotFound;
  open_alias_ = alias.value_or(words[1]);
  return 0;
}

std::uint32_t WebMciPort::OnOpenDevice(const Words& words, std::optional<std::string>& answer) {
  const std::string verb = Lower(words[0]);
  const std::string arguments = ArgumentsOf(words);
  if (verb == "play" && (arguments.empty() || arguments == "from 0")) {
    audio_.Play(!arguments.empty());
    return 0;
  }
  if (verb == "status" && arguments == "mode") {
    answer = audio_.IsPlaying() ? "playing" : "stopped";
    return 0;
  }
  if (verb == "stop" && arguments.empty()) {
    audio_.Stop();
    return 0;
  }
  if (verb == "close" && arguments.empty()) {
    audio_.Close();
    open_alias_.reset();
    return 0;
  }
  const bool known_verb = verb == "play" || verb == "status" || verb == "stop" || verb == "close";
  return known_verb ? kMciUnrecognizedKeyword : kMciUnrecognizedCommand;
}

bool WebSoundPort::Play(const char* name, std::uint32_t flags) {
  if (!name) {
    audio_.StopLoop();
    return true;
  }
  constexpr std::uint32_t kLooping = kSndAsync | kSndLoop;
  if ((flags & kLooping) != kLooping) return false;
  return audio_.Loop(name);
}

WebMusic::WebMusic(std::unique_ptr<PageAudio> audio, const std::string& file_name)
    : audio_(std::move(audio)),
      mci_(*audio_),
      sound_(*audio_),
      settings_(MusicFileSettings(file_name)),
      player_(mci_, sound_, settings_) {}

}  // namespace velkaro::web
