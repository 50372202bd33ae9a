// Every way the 95/98 password check can fail still leaves the user a way to
// end the run: a missing library or function lets it end, and a check that
// refuses every time is asked again at every key or click, with the pointer
// hidden again in between, until it accepts or the system closes the saver.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "music/fake_mci_device.h"
#include "saver/saver_run.h"

namespace velkaro {
namespace {

class FakePasswordLibrary : public PasswordLibrary {
 public:
  bool Load() override { return has_library; }
  bool HasVerifyFunction() override { return has_function; }
  bool Verify() override {
    ++prompts;
    return answer;
  }
  bool has_library = true;
  bool has_function = true;
  bool answer = false;
  int prompts = 0;
};

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

// A window whose yields run the next scripted handler.
class ScriptedWindow : public SaverWindowPort {
 public:
  void DDInit() override {}
  void ShowNormal() override {}
  void MakeTopmost() override {}
  void ArmTimer(SaverTimer timer, std::uint32_t) override { enabled[int(timer)] = true; }
  void DisableTimer(SaverTimer timer) override { enabled[int(timer)] = false; }
  bool TimerEnabled(SaverTimer timer) const override { return enabled[int(timer)]; }
  void Present(const IndexImage&, const PaletteTable&) override { ++frames; }
  void YieldToMessages(const bool& running) override {
    if (running) script(++yields);
  }
  void Unload() override { unloaded = true; }
  std::uint32_t TickCount() override { return tick += 16; }

  std::function<void(int)> script;
  bool enabled[5] = {};
  int frames = 0, yields = 0;
  bool unloaded = false;
  std::uint32_t tick = 0;
};

// A 95/98 system whose password check goes through a library.
class LibrarySystem : public SaverSystem {
 public:
  explicit LibrarySystem(PasswordLibrary& library) : library_(library) {}
  bool IsWinNT() override { return false; }
  void ShowCursor(bool show) override { cursor_count += show ? 1 : -1; }
  bool VerifyScreenSavePwd() override { return VerifyScreenSavePwdThrough(library_); }
  void SetSaverRunning(bool running) override { saver_running = running; }
  void SetScreenSaveActive() override {}
  std::uint32_t SecondsSinceMidnight() override { return 0; }
  int cursor_count = -1;  // hidden by the start routine
  bool saver_running = true;

 private:
  PasswordLibrary& library_;
};

class NeverLockedOutTest : public ::testing::Test {
 protected:
  NeverLockedOutTest() {
    settings.Pattern_No = 8;
    settings.BGM_Kind = 2;
    settings.BGM_File = "C:\\song.mp3";
    mci.playable_files = {settings.BGM_File};
  }
  Settings settings;
  testing::FakeMciDevice mci;
  testing::FakeSoundPort sound;
  MusicPlayer music{mci, sound, settings};
  FakePasswordLibrary library;
  LibrarySystem system{library};
  ScriptedWindow window;
  SaverRun run{settings, "S", window, music, system};
};

TEST_F(NeverLockedOutTest, AMissingLibraryOrFunctionEndsTheRunAtTheFirstClick) {
  for (bool has_library : {false, true}) {
    library.has_library = has_library;
    library.has_function = false;
    ScriptedWindow fresh;
    SaverRun one_run(settings, "S", fresh, music, system);
    fresh.script = [&](int) { one_run.OnMouseButtonDown(); };
    EXPECT_EQ(one_run.Load(), SaverRun::Outcome::Ended);
    EXPECT_TRUE(fresh.unloaded);
    EXPECT_EQ(fresh.yields, 1);
    EXPECT_FALSE(system.saver_running);
  }
}

TEST_F(NeverLockedOutTest, ACheckThatAlwaysRefusesAsksAgainEveryTimeAndTheSystemCanStillEnd) {
  constexpr int kRefusals = 50;
  library.answer = false;
  window.script = [&](int yield) {
    if (yield <= kRefusals) {
      (yield % 2 ? static_cast<void>(run.OnMouseButtonDown()) : run.OnKeyDown('A'));
      EXPECT_EQ(system.cursor_count, -1) << "the pointer is hidden again after each refusal";
      EXPECT_TRUE(mci.mp3_open) << "the music plays on";
    } else {
      run.OnSessionEnd();
    }
  };
  EXPECT_EQ(run.Load(), SaverRun::Outcome::Ended);
  EXPECT_EQ(library.prompts, kRefusals);
  EXPECT_EQ(window.frames, kRefusals + 1);
  EXPECT_TRUE(window.unloaded);
  EXPECT_FALSE(system.saver_running);
  EXPECT_FALSE(mci.mp3_open);
}

}  // namespace
}  // namespace velkaro
