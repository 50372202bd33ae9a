#pragma once
// What the music module needs from the system: the MCI command-string
// interface and the wave-sound services. Every text is in the ANSI code page
// (code page 932 for the program's own texts), as the "A" entry points take it.
#include <cstdint>

#include "common/multibyte_text.h"

namespace velkaro {

class MciPort {
 public:
  virtual ~MciPort() = default;
  // As mciSendStringA with no callback window: sends command and, when
  // reply_length is not 0, lets the device layer write a NUL-terminated reply
  // of at most reply_length bytes into reply. reply may be null when
  // reply_length is 0. Returns 0 on success, otherwise the MCI error code.
  virtual std::uint32_t SendString(const char* command, char* reply,
                                   std::uint32_t reply_length) = 0;
  // As mciGetErrorStringA: writes the text of an MCI error code, at most
  // length bytes with its NUL, into buffer; false when the system knows no
  // text for the code.
  virtual bool GetErrorString(std::uint32_t code, char* buffer, std::uint32_t length) = 0;
};

class SoundPort {
 public:
  virtual ~SoundPort() = default;
  // As waveOutGetNumDevs: the number of wave output devices.
  virtual std::uint32_t WaveOutDeviceCount() = 0;
  // As PlaySoundA with no module. name may be null, which stops the sound
  // that plays. The result is the system's and means little: the asynchronous
  // forms report success before anything is heard.
  virtual bool Play(const char* name, std::uint32_t flags) = 0;
  // The lead bytes of the code page that file names are in: the system's
  // ANSI code page, in which the file dialog gave the music file's path.
  virtual LeadByteTest FileNameLeadBytes() const = 0;
};

// PlaySoundA's flags that the music module uses.
inline constexpr std::uint32_t kSndAsync = 0x0001;
inline constexpr std::uint32_t kSndLoop = 0x0008;

}  // namespace velkaro
