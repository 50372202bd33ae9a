#include "music/mci_port_win32.h"

#include <windows.h>
#include <mmsystem.h>

#include "common/system_win32.h"

namespace velkaro {

// What the music relies on is only that a failing command returns a nonzero
// code, and the few replies the player reads. Under Wine (8.0, with a
// PulseAudio null sink as its only sound card) we saw, where Windows may
// differ:
// - With no CD drive, "open cdaudio" fails with 266 (MCIERR_CANNOT_LOAD_DRIVER,
//   "There is an undetectable problem in loading the specified device
//   driver."), and so does every later cdaudio command, the status queries
//   included, since each one tries to open the device again.
// - Commands to the alias MP3Play after it was closed fail with 281
//   (MCIERR_EXTENSION_NOT_FOUND): Wine takes the unknown name for a file and
//   looks for a device by its extension, where 263 (MCIERR_INVALID_DEVICE_NAME)
//   would be the plain answer.
// - Opening an MP3 as MPEGVideo goes through GStreamer and takes 90 to 300 ms,
//   inside the call. At the end of the file "status MP3Play mode" answers
//   "stopped", and "play MP3Play from 0" starts it again from the beginning.
// - PlaySoundA with SND_ASYNC | SND_LOOP loops a WAV file with no gap that a
//   50 ms window can hear, and PlaySoundA(NULL, NULL, 0) silences it at once.

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

LeadByteTest Win32SoundPort::FileNameLeadBytes() const { return IsSystemAnsiLeadByte; }

}  // namespace velkaro
