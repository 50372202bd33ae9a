#include "music/mci_channel.h"

#include "common/multibyte_text.h"
#include "common/text_cp932.h"

namespace velkaro {

std::string MciEmptyCommandAnswer() { return ToCp932("コマンド文字列が指定されていません"); }

std::string MciNoErrorTextAnswer() { return ToCp932("Error (文字列が取れません)"); }

std::int32_t MciChannel::MciSend(std::string_view command, std::string& answer) {
  if (command.empty()) {
    answer = MciEmptyCommandAnswer();
    return kMciEmptyCommand;
  }
  const std::string terminated(command);
  reply_buffer_.fill('\0');
  const std::uint32_t code = port_.SendString(terminated.c_str(), reply_buffer_.data(),
                                              std::uint32_t(reply_buffer_.size()));
  if (code == 0) {
    answer = TextBeforeNul(reply_buffer_);
    return 0;
  }
  error_text_buffer_.fill('\0');
  if (port_.GetErrorString(code, error_text_buffer_.data(),
                           std::uint32_t(error_text_buffer_.size())))
    answer = TextBeforeNul(error_text_buffer_);
  else
    answer = MciNoErrorTextAnswer();
  return static_cast<std::int32_t>(code);
}

std::string MciChannel::MciQuery(std::string_view command) {
  std::string answer;
  const std::int32_t code = MciSend(command, answer);
  if (code == 0) return answer;
  // The error text is dropped: callers only look for "ERR".
  return "Error:" + std::to_string(code);
}

std::int32_t MciChannel::MciPlay(std::string_view device, std::string_view from,
                                 std::string_view to) {
  std::string command = "play ";
  command += device;
  if (!from.empty()) (command += " from ") += from;
  if (!to.empty()) (command += " to ") += to;
  std::string answer;
  return MciSend(command, answer);
}

namespace {

// Upper-cases the ASCII letters of code page 932 text. The second byte of a
// double-byte character may look like a lower-case letter and is kept.
std::string UpperCaseCp932(std::string_view text) {
  std::string upper(text);
  for (std::size_t i = 0; i < upper.size(); ++i) {
    const auto c = static_cast<unsigned char>(upper[i]);
    if (IsCp932LeadByte(c))
      ++i;
    else if (c >= 'a' && c <= 'z')
      upper[i] = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

}  // namespace

bool IsMciErrorAnswer(std::string_view answer) {
  return UpperCaseCp932(answer).find("ERR") != std::string::npos;
}

}  // namespace velkaro
