#pragma once
// The music module's seams on the real system: winmm's MCI command strings,
// waveOutGetNumDevs and PlaySoundA.
#include "music/mci_port.h"

namespace velkaro {

class Win32MciPort : public MciPort {
 public:
  std::uint32_t SendString(const char* command, char* reply, std::uint32_t reply_length) override;
  bool GetErrorString(std::uint32_t code, char* buffer, std::uint32_t length) override;
};

class Win32SoundPort : public SoundPort {
 public:
  std::uint32_t WaveOutDeviceCount() override;
  bool Play(const char* name, std::uint32_t flags) override;
  LeadByteTest FileNameLeadBytes() const override;
};

}  // namespace velkaro
