#pragma once
// The channel through which the music module sends MCI command strings: one
// primitive that sends a command and turns its reply or failure into text, a
// query that folds failures into "Error:" and the code, and a builder for
// the play command. Every command is synchronous: no callback window, no
// notify or wait flag; a call returns when the device layer has answered.
//
// Texts, commands and answers alike, are ANSI (code page 932) bytes: a
// command goes to the system as it is, and a reply comes back as the device
// layer wrote it.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "music/mci_port.h"

namespace velkaro {

// MciSend's result for an empty command, which is never sent.
inline constexpr std::int32_t kMciEmptyCommand = -1;

// The answer of MciSend to an empty command, in code page 932.
std::string MciEmptyCommandAnswer();
// The answer of MciSend to a failure that the system has no text for.
std::string MciNoErrorTextAnswer();

class MciChannel {
 public:
  explicit MciChannel(MciPort& port) : port_(port) {}
  MciChannel(const MciChannel&) = delete;
  MciChannel& operator=(const MciChannel&) = delete;

  // Sends command and sets answer to the reply (result 0), to the system's
  // text for the error code (any other result), or to a fixed text when the
  // command is empty (result -1) or the system has no text for the code.
  std::int32_t MciSend(std::string_view command, std::string& answer);

  // The reply of command, or "Error:" and the decimal code when it failed.
  // Callers recognise a failure by "ERR" in the upper-cased answer.
  std::string MciQuery(std::string_view command);

  // Sends "play " + device, then " from " + from and " to " + to for the
  // positions that are not empty, and returns MciSend's result. Positions
  // are passed through as the device wrote them.
  std::int32_t MciPlay(std::string_view device, std::string_view from, std::string_view to);

 private:
  MciPort& port_;
  // The device layer is told these sizes; each call clears its buffer first
  // so that it can only ever see its own reply.
  std::array<char, 512> reply_buffer_{};
  std::array<char, 256> error_text_buffer_{};
};

// True when an answer of MciQuery, upper-cased, contains "ERR".
bool IsMciErrorAnswer(std::string_view answer);

// The text of a fixed-length buffer up to its first NUL (all of it when it
// holds none).
template <std::size_t N>
std::string TextBeforeNul(const std::array<char, N>& buffer) {
  std::size_t length = 0;
  while (length < N && buffer[length] != '\0') ++length;
  return std::string(buffer.data(), length);
}

}  // namespace velkaro
