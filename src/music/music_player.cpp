#include "music/music_player.h"

#include <optional>

#include "common/rounding.h"
#include "settings/number_text.h"

namespace velkaro {
namespace {

constexpr std::string_view kCdDevice = "cdaudio";

// The number at the start of a text, as a BASIC Val reads it: blanks, a
// sign, digits with a decimal point and an exponent, up to the first
// character that cannot continue it; 0 when the text starts with no number.
double LeadingNumber(std::string_view text) {
  std::size_t end = 0;
  const auto digits = [&] {
    const std::size_t from = end;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    return end > from;
  };
  while (end < text.size() && (text[end] == ' ' || text[end] == '\t')) ++end;
  if (end < text.size() && (text[end] == '+' || text[end] == '-')) ++end;
  bool any = digits();
  if (end < text.size() && text[end] == '.') {
    ++end;
    any = digits() || any;
  }
  if (!any) return 0;
  std::size_t mantissa_end = end;
  if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
    ++end;
    if (end < text.size() && (text[end] == '+' || text[end] == '-')) ++end;
    if (!digits()) end = mantissa_end;
  }
  return ParseNumber(text.substr(0, end)).value_or(0);
}

std::string PositionQuery(std::int16_t track) {
  return "status cdaudio position track " + std::to_string(track);
}

}  // namespace

std::uint32_t MusicPlayer::SendDirect(std::string_view command) {
  const std::string terminated(command);
  return mci_.SendString(terminated.c_str(), nullptr, 0);
}

template <std::size_t N>
std::string MusicPlayer::ModeQuery(const char* command, std::array<char, N>& buffer,
                                   std::uint32_t told_length) {
  // The result is not looked at, so the buffer is cleared first: a failed
  // query then reads as no mode at all rather than as an earlier reply.
  buffer.fill('\0');
  mci_.SendString(command, buffer.data(), told_length);
  return TextBeforeNul(buffer).substr(0, 7);
}

void MusicPlayer::CdOpen() {
  SendDirect("open cdaudio");
  SendDirect("set cdaudio time format tmsf");
}

void MusicPlayer::CdRepeatCheck() {
  cd_poll_active_ = true;
  const std::string current = channel_.MciQuery("status cdaudio current track");
  if (IsMciErrorAnswer(current)) {
    cd_poll_active_ = false;
    return;
  }
  // The count only proves that a readable disc is in the drive.
  if (IsMciErrorAnswer(channel_.MciQuery("status cdaudio number of tracks"))) {
    cd_poll_active_ = false;
    return;
  }
  const bool stopped =
      ModeQuery("status cdaudio mode", cd_mode_buffer_, cd_mode_buffer_.size() - 1) == "stopped";

  const std::int16_t repeat_track = settings_.BGM_RepeatTrack;
  if (repeat_track == 0) {
    // A plain play goes on from where the disc is.
    if (stopped) channel_.MciPlay(kCdDevice, "", "");
    return;
  }
  const std::optional<double> current_track = ParseNumber(current);
  if (!current_track) {
    // A device that answers a track number with something else is not one
    // to keep polling.
    cd_poll_active_ = false;
    return;
  }
  if (stopped || *current_track != repeat_track) CdPlayTrackStart(repeat_track);
}

// Plays from the start of track on to the end of the disc; the next check
// after the track has ended brings it back.
void MusicPlayer::CdPlayTrackStart(std::int16_t track) {
  const std::string start = channel_.MciQuery(PositionQuery(track));
  // A track beyond the disc answers "Error:" and a code, which the device
  // refuses as a position, so nothing changes.
  channel_.MciPlay(kCdDevice, start, "");
}

void MusicPlayer::CdStepTrack(int step) {
  const double reply = LeadingNumber(channel_.MciQuery("status cdaudio current track"));
  const std::int16_t current = nearest_as<std::int16_t>(reply).value_or(0);
  // Before the first track or after the last the position query fails and
  // the device refuses the play command made from its answer: no
  // wrap-around, and the disc plays on.
  std::string start;
  if (const auto target = nearest_as<std::int16_t>(double(current) + step))
    start = channel_.MciQuery(PositionQuery(*target));
  channel_.MciPlay(kCdDevice, start, "");
}

void MusicPlayer::CdPrevTrack() { CdStepTrack(-1); }

void MusicPlayer::CdNextTrack() { CdStepTrack(+1); }

void MusicPlayer::CdClose() {
  SendDirect("stop cdaudio");
  SendDirect("close cdaudio");
}

void MusicPlayer::Mp3Open(const std::string& file) {
  if (SendDirect("open \"" + file + "\" type MPEGVideo Alias MP3Play") == 0)
    SendDirect("play MP3Play");
}

bool MusicPlayer::Mp3IsPlaying() {
  return ModeQuery("status MP3Play mode", mp3_mode_buffer_, mp3_mode_buffer_.size()) == "playing";
}

void MusicPlayer::Mp3RepeatCheck() {
  if (Mp3IsPlaying()) return;
  SendDirect("stop MP3Play");
  SendDirect("play MP3Play from 0");
}

void MusicPlayer::Mp3Close() {
  SendDirect("stop MP3Play");
  SendDirect("close MP3Play");
}

void MusicPlayer::WavPlay(const std::string& file) {
  // Neither the file-name flag nor the no-default flag: the system works out
  // what the name is, and loops it until WavStop.
  if (sound_.WaveOutDeviceCount() > 0) sound_.Play(file.c_str(), kSndAsync | kSndLoop);
}

void MusicPlayer::WavStop() { sound_.Play(nullptr, 0); }

MusicFile MusicFileOf(std::string_view BGM_File, LeadByteTest is_lead) {
  // Characters, not bytes: under code page 932 the name "曲ギP3" ends in the
  // bytes "MP3" (ギ is 83 4D) but in the characters "ギP3".
  std::string upper(LastCharacters(BGM_File, 3, is_lead));
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  if (upper == "WAV") return MusicFile::Wav;
  if (upper == "MP3") return MusicFile::Mp3;
  return MusicFile::None;
}

void StartMusic(const Settings& settings, MusicPlayer& player, MusicTimers& timers) {
  if (settings.BGM_Kind == 1) {
    // The first tick, 200 ms later, starts the disc.
    player.CdOpen();
    timers.EnableCdCheck();
  } else if (settings.BGM_Kind == 2) {
    switch (MusicFileOf(settings.BGM_File, player.FileNameLeadBytes())) {
      case MusicFile::Wav: player.WavPlay(settings.BGM_File); break;
      case MusicFile::Mp3:
        // Enabled even when the open failed: the check then fails quietly.
        player.Mp3Open(settings.BGM_File);
        timers.EnableMp3Check();
        break;
      case MusicFile::None: break;
    }
  }
}

void OnCdCheckTimer(MusicPlayer& player, MusicTimers& timers) {
  player.CdRepeatCheck();
  if (!player.CdPollActive()) timers.DisableCdCheck();
}

void EndMusic(const Settings& settings, MusicPlayer& player, MusicTimers& timers) {
  // A CD whose check switched itself off is left for the system to close
  // when the process ends.
  if (timers.CdCheckEnabled()) {
    timers.DisableCdCheck();
    player.CdClose();
  }
  if (settings.BGM_Kind != 2) return;
  switch (MusicFileOf(settings.BGM_File, player.FileNameLeadBytes())) {
    case MusicFile::Wav: player.WavStop(); break;
    case MusicFile::Mp3: player.Mp3Close(); break;
    case MusicFile::None: break;
  }
}

}  // namespace velkaro
