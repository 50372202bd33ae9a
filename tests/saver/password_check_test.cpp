// Every way the 95/98 password check can fail still leaves the user a way to
// end the run: a missing library or function lets it end, and a check that
// refuses every time is asked again at every key or click, with the pointer
// hidden again in between, until it accepts or the system closes the saver.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "saver/saver_run.h"
#include "support/fake_music.h"
#include "support/fake_saver_ports.h"

namespace velkaro {
namespace {

using testing::FakePasswordLibrary;
using testing::FakeSaverSystem;
using testing::FakeSaverWindow;

TEST(VerifyScreenSavePwdThrough, AServiceThatCannotBeCalledLetsTheRunEnd) {
  struct Case {
    bool has_library, has_function, answer;
    bool may_end;
    int prompts;
  };
  for (const Case& c : {Case{false, false, false, true, 0}, Case{true, false, false, true, 0},
                        Case{true, true, false, false, 1}, Case{true, true, true, true, 1}}) {
    FakePasswordLibrary library;
    library.has_library = c.has_library;
    library.has_function = c.has_function;
    library.answer = c.answer;
    EXPECT_EQ(VerifyScreenSavePwdThrough(library), c.may_end)
        << c.has_library << c.has_function << c.answer;
    EXPECT_EQ(library.prompts, c.prompts);
  }
}

class NeverLockedOutTest : public ::testing::Test {
 protected:
  NeverLockedOutTest() {
    settings.Pattern_No = 8;
    settings.BGM_Kind = 2;
    settings.BGM_File = "C:\\song.mp3";
    mci.playable_files = {settings.BGM_File};
    system.nt = false;
    system.password_library = &library;
  }
  Settings settings;
  testing::FakeMciDevice mci;
  testing::FakeSoundPort sound;
  MusicPlayer music{mci, sound, settings};
  FakePasswordLibrary library;
  FakeSaverSystem system;
  FakeSaverWindow window;
  SaverRun run{settings, SaverStart::BySystem, testing::PortsOf(window, music, system)};
};

TEST_F(NeverLockedOutTest, AMissingLibraryOrFunctionEndsTheRunAtTheFirstClick) {
  for (bool has_library : {false, true}) {
    library.has_library = has_library;
    library.has_function = false;
    FakeSaverWindow fresh;
    SaverRun one_run(settings, SaverStart::BySystem, testing::PortsOf(fresh, music, system));
    fresh.on_idle = [&] { one_run.OnMouseButtonDown(); };
    EXPECT_EQ(one_run.Load(), SaverRun::Outcome::Ended);
    EXPECT_TRUE(fresh.unloaded);
    EXPECT_EQ(fresh.yields, 1);
    EXPECT_FALSE(system.saver_running);
  }
}

TEST_F(NeverLockedOutTest, ACheckThatAlwaysRefusesAsksAgainEveryTimeAndTheSystemCanStillEnd) {
  constexpr int kRefusals = 50;
  library.answer = false;
  window.on_idle = [&] {
    if (window.yields <= kRefusals) {
      (window.yields % 2 ? static_cast<void>(run.OnMouseButtonDown()) : run.OnKeyDown('A'));
      EXPECT_EQ(system.cursor_count, -1) << "the pointer is hidden again after each refusal";
      EXPECT_TRUE(mci.mp3_open) << "the music plays on";
    } else {
      run.OnSessionEnd();
    }
  };
  EXPECT_EQ(run.Load(), SaverRun::Outcome::Ended);
  EXPECT_EQ(library.prompts, kRefusals);
  EXPECT_EQ(window.frames_presented, kRefusals + 1);
  EXPECT_TRUE(window.unloaded);
  EXPECT_FALSE(system.saver_running);
  EXPECT_FALSE(mci.mp3_open);
}

}  // namespace
}  // namespace velkaro
