// The channel against the system's own MCI layer, with no sound card or CD
// drive needed: only commands that fail, or that are never sent.
#include "music/mci_port_win32.h"

#include <gtest/gtest.h>

#include "music/mci_channel.h"

namespace velkaro {
namespace {

TEST(Win32MciPort, AFailedCommandAnswersWithTheSystemsText) {
  Win32MciPort port;
  MciChannel channel(port);
  std::string answer;
  const std::int32_t code = channel.MciSend("status velkaro_no_such_alias mode", answer);
  EXPECT_GT(code, 256);  // an MCIERR_ code
  EXPECT_FALSE(answer.empty());
  EXPECT_NE(answer, MciNoErrorTextAnswer());
  EXPECT_EQ(channel.MciQuery("status velkaro_no_such_alias mode"), "Error:" + std::to_string(code));
}

TEST(Win32MciPort, TheSystemHasNoTextForAnUnknownCode) {
  Win32MciPort port;
  char buffer[256] = {};
  EXPECT_FALSE(port.GetErrorString(0xFFFF, buffer, sizeof buffer));
}

TEST(Win32MciPort, AMalformedCommandReturnsAtOnce) {
  Win32MciPort port;
  MciChannel channel(port);
  EXPECT_NE(channel.MciPlay("cdaudio", "Error:266", ""), 0);
  EXPECT_NE(port.SendString("open \"Z:\\velkaro\\no such file.mp3\" type MPEGVideo Alias MP3Play",
                            nullptr, 0),
            0u);
}

}  // namespace
}  // namespace velkaro
