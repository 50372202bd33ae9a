#include "music/mci_port_win32.h"

#include <windows.h>
#include <mmsystem.h>

namespace velkaro {

// Commands go out with no callback window, so none carries "notify" and
// each call returns when the device has answered.
std::uint32_t Win32MciPort::SendString(const char* command, char* reply,
                                       std::uint32_t reply_length) {
  return mciSendStringA(command, reply_length ? reply : nullptr, reply_length, nullptr);
}

bool Win32MciPort::GetErrorString(std::uint32_t code, char* buffer, std::uint32_t length) {
  return mciGetErrorStringA(code, buffer, length) != FALSE;
}

std::uint32_t Win32SoundPort::WaveOutDeviceCount() { return waveOutGetNumDevs(); }

bool Win32SoundPort::Play(const char* name, std::uint32_t flags) {
  return PlaySoundA(name, nullptr, flags) != FALSE;
}

}  // namespace velkaro
