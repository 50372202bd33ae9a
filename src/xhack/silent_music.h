#pragma once
// XScreenSaver hacks are silent: the saver run is given music ports that
// never play. With BGM_Kind 0 the run never calls them; should it, every
// command fails as on a machine without sound, and the run goes on.
#include "music/mci_port.h"

namespace velkaro::xhack {

class SilentMciPort final : public MciPort {
 public:
  // MCIERR_DEVICE_NOT_INSTALLED.
  std::uint32_t SendString(const char*, char* reply, std::uint32_t reply_length) override {
    if (reply && reply_length > 0) reply[0] = '\0';
    return 263;
  }
  bool GetErrorString(std::uint32_t, char*, std::uint32_t) override { return false; }
};

class SilentSoundPort final : public SoundPort {
 public:
  std::uint32_t WaveOutDeviceCount() override { return 0; }
  bool Play(const char*, std::uint32_t) override { return false; }
  // File names are UTF-8 here, whose bytes never pair up as code page 932
  // ones do.
  LeadByteTest FileNameLeadBytes() const override { return IsNeverLeadByte; }
};

}  // namespace velkaro::xhack
