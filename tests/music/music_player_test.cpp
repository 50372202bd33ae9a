#include "music/music_player.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/fake_music.h"

namespace velkaro {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;
using testing::FakeMciDevice;
using testing::FakeMusicTimers;
using testing::FakeSoundPort;
using testing::PlayedSound;
using testing::SentCommand;

// The replies of the channel come through 512 bytes, direct commands with
// none, the CD mode query through 255.
SentCommand Query(std::string command) { return {std::move(command), 512}; }
SentCommand Direct(std::string command) { return {std::move(command), 0}; }
const SentCommand kCurrentTrack = Query("status cdaudio current track");
const SentCommand kTrackCount = Query("status cdaudio number of tracks");
const SentCommand kCdMode{"status cdaudio mode", 255};

class MusicPlayerTest : public ::testing::Test {
 protected:
  // Opens the drive and forgets the commands that took.
  void OpenDisc() {
    player.CdOpen();
    device.sent.clear();
  }
  // Timer2's ticks, as the saver window runs them.
  void CdTicks(int count) {
    for (int i = 0; i < count && timers.cd_check; ++i) OnCdCheckTimer(player, timers);
  }

  FakeMciDevice device;
  FakeSoundPort sound;
  Settings settings;
  FakeMusicTimers timers;
  MusicPlayer player{device, sound, settings};
};

TEST_F(MusicPlayerTest, AFreshDiscIsStartedByThePlainPlayCommand) {
  settings.BGM_Kind = 1;
  StartMusic(settings, player, timers);
  EXPECT_TRUE(timers.cd_check);
  EXPECT_FALSE(timers.mp3_check);
  CdTicks(1);
  EXPECT_THAT(device.sent,
              ElementsAre(Direct("open cdaudio"), Direct("set cdaudio time format tmsf"),
                          kCurrentTrack, kTrackCount, kCdMode, Query("play cdaudio")));
  EXPECT_EQ(device.cd_mode, "playing");
  EXPECT_EQ(device.time_format, "tmsf");
  EXPECT_TRUE(player.CdPollActive());
  EXPECT_TRUE(timers.cd_check);

  // A playing disc is left alone; one that has ended starts again.
  device.sent.clear();
  CdTicks(1);
  EXPECT_THAT(device.sent, ElementsAre(kCurrentTrack, kTrackCount, kCdMode));
  device.DiscEnds();
  device.sent.clear();
  CdTicks(1);
  EXPECT_THAT(device.sent, ElementsAre(kCurrentTrack, kTrackCount, kCdMode, Query("play cdaudio")));
}

TEST_F(MusicPlayerTest, ARepeatTrackIsReturnedToWithinOneCheck) {
  settings.BGM_RepeatTrack = 3;
  timers.cd_check = true;
  OpenDisc();
  CdTicks(1);
  EXPECT_THAT(device.sent, ElementsAre(kCurrentTrack, kTrackCount, kCdMode,
                                       Query("status cdaudio position track 3"),
                                       Query("play cdaudio from 03:00:00:00")));
  EXPECT_EQ(device.current_track, 3);

  device.sent.clear();
  CdTicks(1);  // still on track 3: nothing to do
  EXPECT_THAT(device.sent, ElementsAre(kCurrentTrack, kTrackCount, kCdMode));

  device.PlayOnInto(4);
  device.sent.clear();
  CdTicks(1);
  EXPECT_THAT(device.sent, ElementsAre(kCurrentTrack, kTrackCount, kCdMode,
                                       Query("status cdaudio position track 3"),
                                       Query("play cdaudio from 03:00:00:00")));
  EXPECT_EQ(device.current_track, 3);
  EXPECT_EQ(device.cd_mode, "playing");
}

TEST_F(MusicPlayerTest, ARepeatTrackBeyondTheDiscPlaysNothingAndKeepsChecking) {
  settings.BGM_RepeatTrack = 12;
  timers.cd_check = true;
  OpenDisc();
  CdTicks(3);
  EXPECT_TRUE(timers.cd_check);
  EXPECT_TRUE(player.CdPollActive());
  EXPECT_EQ(device.cd_mode, "stopped");
  ASSERT_EQ(device.sent.size(), 15u);
  // The failed position query's answer is what the device refuses to play.
  EXPECT_EQ(device.sent[3], Query("status cdaudio position track 12"));
  EXPECT_EQ(device.sent[4], Query("play cdaudio from Error:282"));
}

TEST_F(MusicPlayerTest, AnErrorSwitchesTheCheckOffForGood) {
  settings.BGM_Kind = 1;
  device.has_disc = false;
  StartMusic(settings, player, timers);
  device.sent.clear();
  CdTicks(5);
  EXPECT_FALSE(player.CdPollActive());
  EXPECT_FALSE(timers.cd_check);
  EXPECT_THAT(device.sent, ElementsAre(kCurrentTrack));

  // A check switched off leaves the drive to be closed by the system.
  device.sent.clear();
  EndMusic(settings, player, timers);
  EXPECT_THAT(device.sent, IsEmpty());
}

TEST_F(MusicPlayerTest, NoDriveAtAllIsOnlyAFewFailedCommands) {
  settings.BGM_Kind = 1;
  device.has_drive = false;
  StartMusic(settings, player, timers);
  CdTicks(5);
  EndMusic(settings, player, timers);
  EXPECT_THAT(device.sent, ElementsAre(Direct("open cdaudio"),
                                       Direct("set cdaudio time format tmsf"), kCurrentTrack));
  EXPECT_FALSE(timers.cd_check);
}

TEST_F(MusicPlayerTest, AFailingTrackCountSwitchesTheCheckOff) {
  timers.cd_check = true;
  OpenDisc();
  device.forced_failures["status cdaudio number of tracks"] = testing::kHardware;
  CdTicks(2);
  EXPECT_FALSE(timers.cd_check);
  EXPECT_THAT(device.sent, ElementsAre(kCurrentTrack, kTrackCount));
}

TEST_F(MusicPlayerTest, ANonNumericCurrentTrackEndsTheCheckWhenATrackRepeats) {
  settings.BGM_RepeatTrack = 3;
  timers.cd_check = true;
  OpenDisc();
  device.current_track_reply = "n/a";
  CdTicks(2);
  EXPECT_FALSE(timers.cd_check);
  EXPECT_THAT(device.sent, ElementsAre(kCurrentTrack, kTrackCount, kCdMode));
  EXPECT_EQ(device.cd_mode, "stopped");
}

TEST_F(MusicPlayerTest, ANonNumericCurrentTrackDoesNotMatterToTheWholeDisc) {
  timers.cd_check = true;
  OpenDisc();
  device.current_track_reply = "n/a";
  CdTicks(1);
  EXPECT_TRUE(timers.cd_check);
  EXPECT_EQ(device.cd_mode, "playing");
}

TEST_F(MusicPlayerTest, ArrowsAtTheEndsOfTheDiscChangeNothing) {
  OpenDisc();
  device.cd_mode = "playing";
  device.current_track = 1;
  player.CdPrevTrack();
  EXPECT_THAT(device.sent, ElementsAre(kCurrentTrack, Query("status cdaudio position track 0"),
                                       Query("play cdaudio from Error:282")));
  EXPECT_EQ(device.current_track, 1);

  device.current_track = 10;
  device.sent.clear();
  player.CdNextTrack();
  EXPECT_THAT(device.sent, ElementsAre(kCurrentTrack, Query("status cdaudio position track 11"),
                                       Query("play cdaudio from Error:282")));
  EXPECT_EQ(device.current_track, 10);
  EXPECT_EQ(device.cd_mode, "playing");
}

TEST_F(MusicPlayerTest, ArrowsMoveToTheNeighbouringTrack) {
  OpenDisc();
  device.current_track = 5;
  player.CdNextTrack();
  EXPECT_THAT(device.sent, ElementsAre(kCurrentTrack, Query("status cdaudio position track 6"),
                                       Query("play cdaudio from 06:00:00:00")));
  EXPECT_EQ(device.current_track, 6);
  player.CdPrevTrack();
  player.CdPrevTrack();
  EXPECT_EQ(device.current_track, 4);
}

TEST_F(MusicPlayerTest, AnArrowLeavesARepeatTrackOnlyUntilTheNextCheck) {
  settings.BGM_RepeatTrack = 3;
  timers.cd_check = true;
  OpenDisc();
  CdTicks(1);
  ASSERT_EQ(device.current_track, 3);
  player.CdNextTrack();
  EXPECT_EQ(device.current_track, 4);
  CdTicks(1);
  EXPECT_EQ(device.current_track, 3);
  EXPECT_EQ(device.sent.back(), Query("play cdaudio from 03:00:00:00"));
}

TEST_F(MusicPlayerTest, AnArrowReadsTheLeadingNumberOfTheCurrentTrack) {
  OpenDisc();
  device.current_track_reply = " 7 (data)";
  player.CdNextTrack();
  EXPECT_EQ(device.sent[1], Query("status cdaudio position track 8"));
  // No number at all counts as track 0.
  device.current_track_reply = "none";
  device.sent.clear();
  player.CdNextTrack();
  EXPECT_EQ(device.sent[1], Query("status cdaudio position track 1"));
}

TEST_F(MusicPlayerTest, EndOfMusicClosesADiscStillBeingChecked) {
  settings.BGM_Kind = 1;
  StartMusic(settings, player, timers);
  CdTicks(1);
  device.sent.clear();
  EndMusic(settings, player, timers);
  EXPECT_THAT(device.sent, ElementsAre(Direct("stop cdaudio"), Direct("close cdaudio")));
  EXPECT_FALSE(timers.cd_check);
  EXPECT_FALSE(device.cd_open);
}

class Mp3Test : public MusicPlayerTest {
 protected:
  Mp3Test() {
    settings.BGM_Kind = 2;
    settings.BGM_File = "C:\\My Music\\night song.Mp3";
    device.playable_files.insert(settings.BGM_File);
  }
};

TEST_F(Mp3Test, OpensTheQuotedFileUnderItsAliasAndPlaysIt) {
  StartMusic(settings, player, timers);
  EXPECT_THAT(
      device.sent,
      ElementsAre(Direct("open \"C:\\My Music\\night song.Mp3\" type MPEGVideo Alias MP3Play"),
                  Direct("play MP3Play")));
  EXPECT_TRUE(timers.mp3_check);
  EXPECT_FALSE(timers.cd_check);
  EXPECT_EQ(device.mp3_mode, "playing");
}

TEST_F(Mp3Test, RestartsFromZeroWhenItNoLongerPlays) {
  StartMusic(settings, player, timers);
  device.sent.clear();
  player.Mp3RepeatCheck();
  EXPECT_THAT(device.sent, ElementsAre(SentCommand{"status MP3Play mode", 30}));
  device.Mp3Ends();
  device.sent.clear();
  player.Mp3RepeatCheck();
  EXPECT_THAT(device.sent, ElementsAre(SentCommand{"status MP3Play mode", 30},
                                       Direct("stop MP3Play"), Direct("play MP3Play from 0")));
  EXPECT_EQ(device.mp3_mode, "playing");
}

TEST_F(Mp3Test, OnlyALowerCasePlayingModeIsPlaying) {
  StartMusic(settings, player, timers);
  EXPECT_TRUE(player.Mp3IsPlaying());
  device.mp3_mode = "Playing";
  EXPECT_FALSE(player.Mp3IsPlaying());
  device.mp3_mode = "play";
  EXPECT_FALSE(player.Mp3IsPlaying());
}

TEST_F(Mp3Test, AFailedModeQueryIsNotReadAsTheLastReply) {
  StartMusic(settings, player, timers);
  ASSERT_TRUE(player.Mp3IsPlaying());
  device.forced_failures["status MP3Play mode"] = testing::kHardware;
  EXPECT_FALSE(player.Mp3IsPlaying());
}

TEST_F(Mp3Test, AFileThatDoesNotOpenIsNeverPlayedButStillChecked) {
  device.playable_files.clear();
  StartMusic(settings, player, timers);
  EXPECT_EQ(device.sent.size(), 1u);
  EXPECT_TRUE(timers.mp3_check);
  player.Mp3RepeatCheck();  // fails quietly against the missing alias
  EXPECT_EQ(device.sent.back(), Direct("play MP3Play from 0"));
  EXPECT_FALSE(device.mp3_open);
}

TEST_F(Mp3Test, EndOfMusicStopsAndClosesIt) {
  StartMusic(settings, player, timers);
  device.sent.clear();
  EndMusic(settings, player, timers);
  EXPECT_THAT(device.sent, ElementsAre(Direct("stop MP3Play"), Direct("close MP3Play")));
  EXPECT_FALSE(device.mp3_open);
}

TEST_F(MusicPlayerTest, AWavFileLoopsAsynchronouslyUntilStopped) {
  settings.BGM_Kind = 2;
  settings.BGM_File = "C:\\chime.wav";
  StartMusic(settings, player, timers);
  EndMusic(settings, player, timers);
  EXPECT_THAT(sound.played,
              ElementsAre(PlayedSound{"C:\\chime.wav", 9}, PlayedSound{std::nullopt, 0}));
  EXPECT_FALSE(timers.mp3_check);
  EXPECT_THAT(device.sent, IsEmpty());
}

TEST_F(MusicPlayerTest, AWavFileIsNotPlayedWithoutAWaveOutputDevice) {
  sound.devices = 0;
  player.WavPlay("C:\\chime.wav");
  EXPECT_THAT(sound.played, IsEmpty());
}

TEST(MusicFileOf, GoesByTheLastThreeCharactersInAnyCase) {
  for (const LeadByteTest code_page : {IsNeverLeadByte, IsCp932LeadByte}) {
    EXPECT_EQ(MusicFileOf("C:\\a.mp3", code_page), MusicFile::Mp3);
    EXPECT_EQ(MusicFileOf("C:\\a.mP3", code_page), MusicFile::Mp3);
    EXPECT_EQ(MusicFileOf("C:\\a.WaV", code_page), MusicFile::Wav);
    EXPECT_EQ(MusicFileOf("C:\\songwav", code_page), MusicFile::Wav);  // no dot needed
    EXPECT_EQ(MusicFileOf("mp3", code_page), MusicFile::Mp3);
    EXPECT_EQ(MusicFileOf("C:\\a.mid", code_page), MusicFile::None);
    EXPECT_EQ(MusicFileOf("C:\\a.mp2", code_page), MusicFile::None);
    EXPECT_EQ(MusicFileOf("C:\\a.mp3 ", code_page), MusicFile::None);
    EXPECT_EQ(MusicFileOf("p3", code_page), MusicFile::None);
    EXPECT_EQ(MusicFileOf("", code_page), MusicFile::None);
  }
}

// Code page 932 names: ギ is 83 4D ("M"), ジ 83 57 ("W"), 表 95 5C, ソ 83 5C.
TEST(MusicFileOf, CountsCharactersOfTheSystemsCodePage) {
  const std::string gi_p3 = "C:\\\x8B\xC8\x83\x4DP3";  // 曲ギP3
  const std::string ji_av =
      "C:\\\x83\x57"
      "AV";  // ジAV
  EXPECT_EQ(MusicFileOf(gi_p3, IsCp932LeadByte), MusicFile::None);
  EXPECT_EQ(MusicFileOf(ji_av, IsCp932LeadByte), MusicFile::None);
  // Under 1252 the same bytes are other characters, and these end in MP3
  // and WAV.
  EXPECT_EQ(MusicFileOf(gi_p3, IsNeverLeadByte), MusicFile::Mp3);
  EXPECT_EQ(MusicFileOf(ji_av, IsNeverLeadByte), MusicFile::Wav);
  // A real extension after double-byte characters, some ending in 0x5C.
  EXPECT_EQ(MusicFileOf("C:\\\x83\x5C\x83\x74\x83\x67\\\x95\x5C.wav", IsCp932LeadByte),
            MusicFile::Wav);
  EXPECT_EQ(MusicFileOf("\x95\x5Cmp3", IsCp932LeadByte), MusicFile::Mp3);
  // A lead byte takes the byte after it, whatever it is; one at the very end
  // is a character of its own.
  EXPECT_EQ(MusicFileOf("x\x83wav", IsCp932LeadByte), MusicFile::None);
  EXPECT_EQ(MusicFileOf("a.mp3\x83", IsCp932LeadByte), MusicFile::None);
}

TEST_F(MusicPlayerTest, TheFileNameIsReadInTheSoundPortsCodePage) {
  settings.BGM_Kind = 2;
  settings.BGM_File = "C:\\\x8B\xC8\x83\x4DP3";  // 曲ギP3 under 932
  sound.file_name_lead_bytes = IsCp932LeadByte;
  StartMusic(settings, player, timers);
  EndMusic(settings, player, timers);
  EXPECT_THAT(device.sent, IsEmpty());
  EXPECT_FALSE(timers.mp3_check);

  sound.file_name_lead_bytes = IsNeverLeadByte;
  StartMusic(settings, player, timers);
  EXPECT_TRUE(timers.mp3_check);
  EXPECT_THAT(device.sent, Not(IsEmpty()));
}

TEST_F(MusicPlayerTest, NoMusicStartsNothing) {
  for (const auto& [kind, file] : {std::pair<std::int16_t, std::string>{0, "C:\\a.mp3"},
                                   {2, "C:\\a.mid"},
                                   {3, "C:\\a.mp3"},
                                   {-1, ""}}) {
    settings.BGM_Kind = kind;
    settings.BGM_File = file;
    StartMusic(settings, player, timers);
    EndMusic(settings, player, timers);
  }
  EXPECT_THAT(device.sent, IsEmpty());
  EXPECT_THAT(sound.played, IsEmpty());
  EXPECT_FALSE(timers.mp3_check);
  EXPECT_FALSE(timers.cd_check);
}

}  // namespace
}  // namespace velkaro
