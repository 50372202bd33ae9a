#include "saver/saver_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/fake_music.h"
#include "support/fake_saver_ports.h"

namespace velkaro {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using testing::FakeSaverSystem;
using testing::FakeSaverWindow;
using Log = testing::SaverLog;

class SaverRunTest : public ::testing::Test {
 protected:
  void Run(SaverStart start = SaverStart::BySystem) {
    run = std::make_unique<SaverRun>(settings, start, testing::PortsOf(window, music, system));
    music_commands_before_run = mci.sent.size();
    if (!window.on_idle) window.on_idle = [this] { run->OnMouseButtonDown(); };
    outcome = run->Load();
  }
  // The log from the first yield on: what the handlers did.
  Log AfterLoad() const { return Log(log.begin() + std::ptrdiff_t(load_entries), log.end()); }
  void MarkLoaded() { load_entries = log.size(); }

  Settings settings;
  Log log;
  FakeSaverWindow window{log};
  testing::FakeMciDevice mci;
  testing::FakeSoundPort sound;
  MusicPlayer music{mci, sound, settings};
  std::size_t music_commands_before_run = 0;
  FakeSaverSystem system{log};
  std::unique_ptr<SaverRun> run;
  SaverRun::Outcome outcome{};
  std::size_t load_entries = 0;
};

TEST_F(SaverRunTest, LoadsInOrderAndArmsThePatternsTimers) {
  settings.Pattern_No = 25;
  Run();
  EXPECT_EQ(outcome, SaverRun::Outcome::Ended);
  ASSERT_GE(log.size(), 5u);
  EXPECT_THAT(Log(log.begin(), log.begin() + 5),
              ElementsAre("DDInit", "show", "topmost", "arm Timer3 200", "arm Timer4 5000"));
  EXPECT_EQ(window.frames_presented, 1);
}

TEST_F(SaverRunTest, PatternsWithoutAnimatorArmNoTimer) {
  for (int pattern : {8, 28, -1}) {
    log.clear();
    settings.Pattern_No = static_cast<std::int16_t>(pattern);
    Run(SaverStart::ByHand);
    EXPECT_THAT(log, ElementsAre("DDInit", "show", "topmost", "screen saver on", "unload"))
        << pattern;
  }
}

TEST_F(SaverRunTest, StartsTheCdBeforeShowingTheWindowAndClosesItAtTheEnd) {
  settings.Pattern_No = 8;
  settings.BGM_Kind = 1;
  window.script = {[&] { EXPECT_TRUE(mci.cd_open); }};
  Run(SaverStart::ByHand);
  EXPECT_THAT(log, ElementsAre("DDInit", "arm Timer2 200", "show", "topmost", "disable Timer2",
                               "screen saver on", "unload"));
  EXPECT_FALSE(mci.cd_open);
}

TEST_F(SaverRunTest, PlaysAMusicFileByItsEndingAndStopsIt) {
  settings.Pattern_No = 8;
  settings.BGM_Kind = 2;
  settings.BGM_File = "C:\\m\\a.Mp3";
  mci.playable_files = {settings.BGM_File};
  window.script = {[&] { EXPECT_TRUE(mci.mp3_open); }};
  Run(SaverStart::ByHand);
  EXPECT_THAT(log, ElementsAre("DDInit", "arm Timer1 1000", "show", "topmost", "screen saver on",
                               "unload"));
  EXPECT_FALSE(mci.mp3_open);

  log.clear();
  settings.BGM_File = "C:\\m\\a.wav";
  Run(SaverStart::ByHand);
  EXPECT_THAT(log, ElementsAre("DDInit", "show", "topmost", "screen saver on", "unload"));
  ASSERT_EQ(sound.played.size(), 2u);  // played, then stopped
  EXPECT_EQ(sound.played.front().name, settings.BGM_File);

  log.clear();
  sound.played.clear();
  settings.BGM_File = "C:\\m\\a.mp2";
  Run(SaverStart::ByHand);
  EXPECT_THAT(log, ElementsAre("DDInit", "show", "topmost", "screen saver on", "unload"));
  EXPECT_THAT(sound.played, IsEmpty());
  EXPECT_EQ(mci.sent.size(), music_commands_before_run);
}

TEST_F(SaverRunTest, TheCdCheckSwitchesItselfOffWithoutADisc) {
  settings.Pattern_No = 8;
  settings.BGM_Kind = 1;
  mci.has_disc = false;
  window.script = {[&] {
    MarkLoaded();
    run->OnTimer(SaverTimer::Timer2);
  }};
  Run();
  // With the check off, the end of the run does not close the CD again.
  EXPECT_THAT(AfterLoad(),
              ElementsAre("disable Timer2", "saver stopped", "screen saver on", "unload"));
}

TEST_F(SaverRunTest, BurstTicksLaunchParticles) {
  settings.Pattern_No = 14;  // launches nothing but its bursts
  int next_before = -1;
  window.script = {[&] {
                     next_before = run->engine().NextPart;
                     run->OnTimer(SaverTimer::Timer3);
                   },
                   [&] { EXPECT_EQ(run->engine().NextPart, next_before + 700); }};
  Run();
}

TEST_F(SaverRunTest, ArrowsChangeTheCdTrackAndAnyOtherKeyEnds) {
  settings.Pattern_No = 8;
  settings.BGM_Kind = 1;
  window.script = {[&] { run->OnTimer(SaverTimer::Timer2); },  // the disc starts
                   [&] {
                     MarkLoaded();
                     run->OnKeyDown(39);
                   },
                   [&] {
                     EXPECT_EQ(mci.current_track, 2);
                     run->OnKeyDown(37);
                   },
                   [&] { run->OnKeyDown(65); }};
  Run();
  EXPECT_THAT(AfterLoad(),
              ElementsAre("disable Timer2", "saver stopped", "screen saver on", "unload"));
  // The arrows stepped the disc from track 1 to 2 and back.
  EXPECT_EQ(mci.current_track, 1);
  EXPECT_EQ(window.frames_presented, 4);
}

TEST_F(SaverRunTest, WithoutCdMusicTheArrowsEndTheRunLikeAnyKey) {
  settings.Pattern_No = 8;
  window.script = {[&] {
    MarkLoaded();
    run->OnKeyDown(37);
  }};
  Run();
  EXPECT_THAT(AfterLoad(), ElementsAre("saver stopped", "screen saver on", "unload"));
}

TEST_F(SaverRunTest, ARefusedPasswordKeepsTheRunGoingOn95And98) {
  settings.Pattern_No = 8;
  system.nt = false;
  system.password_accepted = false;
  window.script = {[&] {
                     MarkLoaded();
                     run->OnMouseButtonDown();
                   },
                   [&] {
                     system.password_accepted = true;
                     run->OnMouseButtonDown();
                   }};
  Run();
  EXPECT_THAT(AfterLoad(),
              ElementsAre("show cursor", "password prompt", "hide cursor", "show cursor",
                          "password prompt", "saver stopped", "screen saver on", "unload"));
  EXPECT_EQ(window.frames_presented, 2);
}

TEST_F(SaverRunTest, ARunStartedByHandHasNoPasswordCheckAndLeavesTheRunningFlag) {
  settings.Pattern_No = 8;
  system.nt = false;
  window.script = {[&] {
    MarkLoaded();
    run->OnMouseButtonDown();
  }};
  Run(SaverStart::ByHand);
  EXPECT_THAT(AfterLoad(), ElementsAre("screen saver on", "unload"));
}

// On the 95/98 family a WM_CLOSE from another program must not get past the
// password; only the end of the session does, with no prompt.
TEST_F(SaverRunTest, ACloseRequestAsksForThePasswordAndTheSessionEndDoesNot) {
  settings.Pattern_No = 8;
  system.nt = false;
  system.password_accepted = false;
  window.script = {[&] {
                     MarkLoaded();
                     run->OnCloseRequest();
                   },
                   [&] {
                     EXPECT_TRUE(run->running());
                     run->OnSessionEnd();
                   }};
  Run();
  EXPECT_THAT(AfterLoad(), ElementsAre("show cursor", "password prompt", "hide cursor",
                                       "saver stopped", "screen saver on", "unload"));
}

TEST_F(SaverRunTest, FramesRunUntilTheEndAndNoneAfterIt) {
  settings.Pattern_No = 6;
  int frames_before_end = 0;
  window.on_idle = [&] {
    if (++frames_before_end == 10) run->OnKeyDown(13);
  };
  Run();
  EXPECT_EQ(window.frames_presented, 10);
  EXPECT_FALSE(run->running());
}

}  // namespace
}  // namespace velkaro
