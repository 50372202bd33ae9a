#pragma once
// The background music of a saver run: an audio CD through the MCI device
// "cdaudio", an MP3 file through an MCI device of type MPEGVideo opened as
// "MP3Play", or a WAV file through PlaySoundA. Nothing here ever shows a
// message: music either plays or stays silent, and a failing command returns
// and lets the run go on.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "music/mci_channel.h"
#include "music/mci_port.h"
#include "settings/settings.h"

namespace velkaro {

// The music module Velkaro_BGM: its channel with the reply buffers, the CD
// poll flag and the two mode buffers, for the life of the process.
class MusicPlayer {
 public:
  // BGM_RepeatTrack is read from settings at every CD check.
  MusicPlayer(MciPort& mci, SoundPort& sound, const Settings& settings)
      : mci_(mci), sound_(sound), settings_(settings), channel_(mci) {}
  MusicPlayer(const MusicPlayer&) = delete;
  MusicPlayer& operator=(const MusicPlayer&) = delete;

  void CdOpen();
  // The CD check of every Timer2 tick: starts a stopped disc, keeps
  // returning to the repeat track, and clears CdPollActive when the disc
  // cannot be read, after which the window stops the check for good.
  void CdRepeatCheck();
  bool CdPollActive() const { return cd_poll_active_; }
  // The Left and Right arrow keys: the neighbouring track, no wrap-around.
  void CdPrevTrack();
  void CdNextTrack();
  void CdClose();

  // file is the full path, in the ANSI code page.
  void Mp3Open(const std::string& file);
  bool Mp3IsPlaying();
  // Timer1's tick: a file that no longer plays starts again from 0.
  void Mp3RepeatCheck();
  void Mp3Close();

  void WavPlay(const std::string& file);
  void WavStop();

  // How the music file's name splits into characters.
  LeadByteTest FileNameLeadBytes() const { return sound_.FileNameLeadBytes(); }

 private:
  // A command sent straight to the device layer with no reply buffer.
  std::uint32_t SendDirect(std::string_view command);
  // The first seven characters of the reply to a mode query.
  template <std::size_t N>
  std::string ModeQuery(const char* command, std::array<char, N>& buffer,
                        std::uint32_t told_length);
  void CdPlayTrackStart(std::int16_t track);
  void CdStepTrack(int step);

  MciPort& mci_;
  SoundPort& sound_;
  const Settings& settings_;
  MciChannel channel_;
  bool cd_poll_active_ = false;
  std::array<char, 256> cd_mode_buffer_{};  // the device is told 255 bytes
  std::array<char, 30> mp3_mode_buffer_{};  // the device is told 30 bytes
};

// What a music file is, by the last three characters of its name,
// upper-cased: "WAV" a wave file, "MP3" an MP3 file, anything else no music.
// The name is in the code page whose lead bytes is_lead tells.
enum class MusicFile { None, Wav, Mp3 };
MusicFile MusicFileOf(std::string_view BGM_File, LeadByteTest is_lead);

// The saver window's two music timers.
inline constexpr std::uint32_t kMp3CheckIntervalMs = 1000;  // Timer1
inline constexpr std::uint32_t kCdCheckIntervalMs = 200;    // Timer2

class MusicTimers {
 public:
  virtual ~MusicTimers() = default;
  virtual void EnableMp3Check() = 0;  // Timer1 every kMp3CheckIntervalMs
  virtual void EnableCdCheck() = 0;   // Timer2 every kCdCheckIntervalMs
  virtual void DisableCdCheck() = 0;
  virtual bool CdCheckEnabled() const = 0;
};

// The start of music in the saver window's load, after its display set-up.
void StartMusic(const Settings& settings, MusicPlayer& player, MusicTimers& timers);
// Timer2's tick: the CD check, then Timer2 stays enabled only while
// CdPollActive. (Timer1's tick is player.Mp3RepeatCheck().)
void OnCdCheckTimer(MusicPlayer& player, MusicTimers& timers);
// The end of music in the saver's shutdown, before the window unloads.
// Timer1 is left to end with the window.
void EndMusic(const Settings& settings, MusicPlayer& player, MusicTimers& timers);

}  // namespace velkaro
