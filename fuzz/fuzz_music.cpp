// The music player against an MCI device layer that answers every command
// with any reply text and any result code, and knows any error text or none.
// The fuzz input also picks the order of the operations, so every CD
// operation, the MP3 checks and the channel itself meet every kind of reply.
// The port writes as much as it is told it may: a told length beyond a
// buffer is caught by AddressSanitizer.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "music/mci_channel.h"
#include "music/mci_port.h"
#include "music/music_player.h"
#include "settings/settings.h"
#include "support/fake_music.h"

namespace {

class FuzzedMciPort final : public velkaro::MciPort {
 public:
  explicit FuzzedMciPort(FuzzedDataProvider& input) : input_(input) {}
  std::uint32_t SendString(const char* command, char* reply, std::uint32_t reply_length) override {
    (void)command;
    const std::uint32_t code = ResultCode();
    if (reply_length > 0) WriteText(reply, reply_length);
    return code;
  }
  bool GetErrorString(std::uint32_t, char* buffer, std::uint32_t length) override {
    if (!input_.ConsumeBool()) return false;
    WriteText(buffer, length);
    return true;
  }

 private:
  // Mostly success or a usual MCI code, sometimes any 32-bit value.
  std::uint32_t ResultCode() {
    switch (input_.ConsumeIntegralInRange(0, 3)) {
      case 0:
      case 1: return 0;
      case 2: return input_.ConsumeIntegralInRange<std::uint32_t>(256, 350);
      default: return input_.ConsumeIntegral<std::uint32_t>();
    }
  }
  // A reply of the usual forms or any bytes; now and then one that fills
  // the whole buffer with no NUL, as a faulty driver might.
  void WriteText(char* buffer, std::uint32_t length) {
    std::string text;
    switch (input_.ConsumeIntegralInRange(0, 5)) {
      case 0: text = "stopped"; break;
      case 1: text = "playing"; break;
      case 2: text = std::to_string(input_.ConsumeIntegral<std::int32_t>()); break;
      case 3: text = "01:00:00:00"; break;
      case 4: std::memset(buffer, input_.ConsumeIntegral<char>(), length); return;
      default: text = input_.ConsumeRandomLengthString(600); break;
    }
    const std::size_t n = std::min<std::size_t>(text.size(), length - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
  }
  FuzzedDataProvider& input_;
};

class FuzzedSoundPort final : public velkaro::SoundPort {
 public:
  explicit FuzzedSoundPort(FuzzedDataProvider& input) : input_(input) {}
  std::uint32_t WaveOutDeviceCount() override { return input_.ConsumeIntegral<std::uint32_t>(); }
  bool Play(const char*, std::uint32_t) override { return input_.ConsumeBool(); }
  velkaro::LeadByteTest FileNameLeadBytes() const override {
    return input_.ConsumeBool() ? velkaro::IsCp932LeadByte : velkaro::IsNeverLeadByte;
  }

 private:
  FuzzedDataProvider& input_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  FuzzedMciPort mci(input);
  FuzzedSoundPort sound(input);
  velkaro::Settings settings;
  settings.BGM_Kind = input.ConsumeIntegralInRange<std::int16_t>(-1, 3);
  settings.BGM_RepeatTrack = input.ConsumeIntegral<std::int16_t>();
  settings.BGM_File = input.ConsumeRandomLengthString(300);
  velkaro::MusicPlayer player(mci, sound, settings);
  velkaro::MciChannel channel(mci);
  velkaro::testing::FakeMusicTimers timers;

  velkaro::StartMusic(settings, player, timers);
  for (int step = 0; step < 64 && input.remaining_bytes() > 0; ++step) {
    switch (input.ConsumeIntegralInRange(0, 13)) {
      case 0: player.CdOpen(); break;
      case 1: player.CdRepeatCheck(); break;
      case 2: player.CdPrevTrack(); break;
      case 3: player.CdNextTrack(); break;
      case 4: player.CdClose(); break;
      case 5: player.Mp3Open(settings.BGM_File); break;
      case 6: player.Mp3IsPlaying(); break;
      case 7: player.Mp3RepeatCheck(); break;
      case 8: player.Mp3Close(); break;
      case 9: velkaro::OnCdCheckTimer(player, timers); break;
      case 10: settings.BGM_RepeatTrack = input.ConsumeIntegral<std::int16_t>(); break;
      case 11: {
        std::string answer;
        channel.MciSend(input.ConsumeRandomLengthString(40), answer);
        break;
      }
      case 12:
        velkaro::IsMciErrorAnswer(channel.MciQuery(input.ConsumeRandomLengthString(40)));
        break;
      default:
        channel.MciPlay("cdaudio", input.ConsumeRandomLengthString(20),
                        input.ConsumeRandomLengthString(20));
        break;
    }
  }
  velkaro::EndMusic(settings, player, timers);
  return 0;
}
