#include "music/mci_channel.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/fake_music.h"

namespace velkaro {
namespace {

using ::testing::ElementsAre;
using testing::FakeMciDevice;
using testing::SentCommand;

std::string Bytes(std::initializer_list<unsigned char> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

class MciChannelTest : public ::testing::Test {
 protected:
  MciChannelTest() { device.cd_open = true; }
  FakeMciDevice device;
  MciChannel channel{device};
};

TEST_F(MciChannelTest, AnEmptyCommandIsNeverSent) {
  std::string answer = "old";
  EXPECT_EQ(channel.MciSend("", answer), -1);
  EXPECT_TRUE(device.sent.empty());
  // The Shift-JIS bytes of the fixed answer, as iconv gives them.
  EXPECT_EQ(answer, Bytes({0x83, 0x52, 0x83, 0x7d, 0x83, 0x93, 0x83, 0x68, 0x95, 0xb6, 0x8e, 0x9a,
                           0x97, 0xf1, 0x82, 0xaa, 0x8e, 0x77, 0x92, 0xe8, 0x82, 0xb3, 0x82, 0xea,
                           0x82, 0xc4, 0x82, 0xa2, 0x82, 0xdc, 0x82, 0xb9, 0x82, 0xf1}));
  EXPECT_EQ(channel.MciQuery(""), "Error:-1");
}

TEST_F(MciChannelTest, ASuccessfulCommandAnswersWithItsReplyFromA512ByteBuffer) {
  std::string answer;
  EXPECT_EQ(channel.MciSend("status cdaudio number of tracks", answer), 0);
  EXPECT_EQ(answer, "10");
  EXPECT_THAT(device.sent, ElementsAre(SentCommand{"status cdaudio number of tracks", 512}));
  EXPECT_EQ(channel.MciQuery("status cdaudio current track"), "1");
}

TEST_F(MciChannelTest, ACommandWithoutAReplyDoesNotAnswerWithTheLastOne) {
  // The device layer leaves the buffer alone for such a command.
  std::string answer;
  channel.MciSend("status cdaudio position track 3", answer);
  ASSERT_EQ(answer, "03:00:00:00");
  EXPECT_EQ(channel.MciSend("set cdaudio time format tmsf", answer), 0);
  EXPECT_EQ(answer, "");
}

TEST_F(MciChannelTest, AFailureAnswersWithTheSystemsTextForItsCode) {
  std::string answer;
  EXPECT_EQ(channel.MciSend("status nodevice mode", answer), 263);
  EXPECT_EQ(answer, device.error_texts.at(263));
  EXPECT_THAT(device.error_text_lengths, ElementsAre(256u));
}

TEST_F(MciChannelTest, AFailureWithoutASystemTextAnswersWithTheFixedText) {
  device.forced_failures["status cdaudio mode"] = 999;
  std::string answer;
  EXPECT_EQ(channel.MciSend("status cdaudio mode", answer), 999);
  EXPECT_EQ(answer,
            Bytes({0x45, 0x72, 0x72, 0x6f, 0x72, 0x20, 0x28, 0x95, 0xb6, 0x8e, 0x9a, 0x97, 0xf1,
                   0x82, 0xaa, 0x8e, 0xe6, 0x82, 0xea, 0x82, 0xdc, 0x82, 0xb9, 0x82, 0xf1, 0x29}));
}

TEST_F(MciChannelTest, AFailedQueryAnswersErrorAndTheDecimalCodeOnly) {
  const std::string answer = channel.MciQuery("status cdaudio position track 11");
  EXPECT_EQ(answer, "Error:282");
  EXPECT_TRUE(IsMciErrorAnswer(answer));
  EXPECT_EQ(channel.MciQuery("frobnicate cdaudio"), "Error:261");
}

TEST(IsMciErrorAnswer, LooksForErrInAnyCase) {
  EXPECT_TRUE(IsMciErrorAnswer("error:263"));
  EXPECT_TRUE(IsMciErrorAnswer(MciNoErrorTextAnswer()));
  EXPECT_TRUE(IsMciErrorAnswer("a terrible reply"));
  EXPECT_FALSE(IsMciErrorAnswer("10"));
  EXPECT_FALSE(IsMciErrorAnswer("03:00:00:00"));
  // 0x82 0x65 is one double-byte character, not a letter followed by "e".
  EXPECT_FALSE(IsMciErrorAnswer(Bytes({0x82, 0x65, 'r', 'r'})));
}

TEST_F(MciChannelTest, PlayLeavesOutTheClausesOfEmptyPositions) {
  channel.MciPlay("cdaudio", "", "");
  channel.MciPlay("cdaudio", "", "05:00:00:00");
  channel.MciPlay("cdaudio", "03:00:00:00", "");
  channel.MciPlay("cdaudio", "03:00:00:00", "05:00:00:00");
  EXPECT_THAT(
      device.sent,
      ElementsAre(SentCommand{"play cdaudio", 512}, SentCommand{"play cdaudio to 05:00:00:00", 512},
                  SentCommand{"play cdaudio from 03:00:00:00", 512},
                  SentCommand{"play cdaudio from 03:00:00:00 to 05:00:00:00", 512}));
}

TEST_F(MciChannelTest, PlayReturnsTheDevicesResult) {
  EXPECT_EQ(channel.MciPlay("cdaudio", "03:00:00:00", ""), 0);
  EXPECT_EQ(device.current_track, 3);
  EXPECT_EQ(channel.MciPlay("cdaudio", "Error:282", ""), testing::kBadInteger);
}

}  // namespace
}  // namespace velkaro
