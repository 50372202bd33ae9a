#include "startup/start_routine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/fake_profile_store.h"

namespace velkaro {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Records every call as a line of text, so that a test can compare the whole
// sequence.
class FakeStartupSystem : public StartupSystem {
 public:
  bool TopLevelWindowExists(std::string_view title) override {
    calls.push_back("find " + std::string(title));
    return open_titles.count(std::string(title)) > 0;
  }
  bool IsWinNT() override { return nt; }
  void ChangePassword(std::int32_t parent) override {
    calls.push_back("password " + std::to_string(parent));
  }
  void HideCursor() override { calls.push_back("hide cursor"); }
  void SetSaverRunning(bool running) override {
    calls.push_back(running ? "saver running" : "saver stopped");
  }
  SettingsFile SettingsLocation() override { return {store, files, "C:\\Velkaro.ini"}; }
  bool StartPreview(std::optional<std::int32_t> parent) override {
    calls.push_back("preview " + (parent ? std::to_string(*parent) : std::string("none")));
    return preview_starts;
  }
  void ShowSettingsDialog(Settings&) override { calls.push_back("settings dialog"); }
  void RunSaver(Settings& settings, SaverStart) override {
    calls.push_back("saver pattern " + std::to_string(settings.Pattern_No));
  }

  std::vector<std::string> CallsAfterTheInstanceTest() const {
    return {calls.begin() + 2, calls.end()};
  }

  std::set<std::string> open_titles;
  bool nt = true;
  bool preview_starts = true;
  std::vector<std::string> calls;
  testing::FakeProfileStore store;
  testing::FakeFileProbe files;
};

// The window system gets the titles as the windows get their captions.
const std::string kDialogTitle = "Velkaroの設定";

class StartRoutineTest : public ::testing::Test {
 protected:
  AfterStart Start(std::string_view command_line) {
    return StartRoutine(command_line, system, settings);
  }
  FakeStartupSystem system;
  Settings settings;
};

TEST_F(StartRoutineTest, LooksForBothWindowsBeforeAnythingElse) {
  Start("/s");
  ASSERT_GE(system.calls.size(), 2u);
  EXPECT_EQ(system.calls[0], "find Velkaro_Main");
  EXPECT_EQ(system.calls[1], "find " + kDialogTitle);
}

TEST_F(StartRoutineTest, EndsAtOnceBesideAnOpenSaverOrDialogInEveryMode) {
  for (const std::string& title : {std::string("Velkaro_Main"), kDialogTitle}) {
    for (const char* line : {"/s", "", "/p 1234", "/c", "/a 1"}) {
      system.calls.clear();
      system.open_titles = {title};
      EXPECT_EQ(Start(line), AfterStart::EndProgram);
      EXPECT_THAT(system.CallsAfterTheInstanceTest(), IsEmpty()) << line;
      EXPECT_THAT(system.store.reads, IsEmpty());
    }
  }
}

TEST_F(StartRoutineTest, PreviewGetsTheHandleAndNeverReadsTheSettings) {
  EXPECT_EQ(Start("/p 1234"), AfterStart::KeepPreviewRunning);
  EXPECT_THAT(system.CallsAfterTheInstanceTest(), ElementsAre("preview 1234"));
  EXPECT_THAT(system.store.reads, IsEmpty());

  system.calls.clear();
  system.preview_starts = false;
  EXPECT_EQ(Start("/p abc"), AfterStart::EndProgram);
  EXPECT_THAT(system.CallsAfterTheInstanceTest(), ElementsAre("preview none"));
}

TEST_F(StartRoutineTest, ShowModeHidesThePointerAndSetsTheRunningFlag) {
  system.store.Set("Section", "\xCA\xDF\xC0\xB0\xDD", " 12");
  for (const char* line : {"/s", "-s", "/S", "xs"}) {
    system.calls.clear();
    EXPECT_EQ(Start(line), AfterStart::EndProgram);
    EXPECT_THAT(system.CallsAfterTheInstanceTest(),
                ElementsAre("hide cursor", "saver running", "saver pattern 12"))
        << line;
  }
}

TEST_F(StartRoutineTest, AnEmptyLineRunsTheSaverWithThePointerAndFlagLeftAlone) {
  Start("");
  EXPECT_THAT(system.CallsAfterTheInstanceTest(), ElementsAre("saver pattern 0"));
  EXPECT_EQ(system.store.reads.size(), 5u);
}

TEST_F(StartRoutineTest, ConfigureModeShowsTheDialogWhateverFollowsTheLetter) {
  for (const char* line : {"/c", "/c:1234", "/C 99"}) {
    system.calls.clear();
    EXPECT_EQ(Start(line), AfterStart::EndProgram);
    EXPECT_THAT(system.CallsAfterTheInstanceTest(), ElementsAre("settings dialog")) << line;
  }
}

TEST_F(StartRoutineTest, PasswordModeCallsThePasswordDialogOnlyOff95And98) {
  Start("/a 1234");
  EXPECT_THAT(system.CallsAfterTheInstanceTest(), IsEmpty());

  system.nt = false;
  system.calls.clear();
  Start("/a 1234");
  EXPECT_THAT(system.CallsAfterTheInstanceTest(), ElementsAre("password 1234"));

  system.calls.clear();
  Start("/a");
  EXPECT_THAT(system.CallsAfterTheInstanceTest(), ElementsAre("password 0"));
}

TEST_F(StartRoutineTest, UnknownModesEndAfterReadingTheSettings) {
  const std::string long_line(10000, 'z');
  for (const std::string& line : {std::string("s"), std::string("/"), std::string("/x"),
                                  std::string("/q 5"), std::string("//s"), long_line}) {
    system.calls.clear();
    system.store.reads.clear();
    EXPECT_EQ(Start(line), AfterStart::EndProgram);
    EXPECT_THAT(system.CallsAfterTheInstanceTest(), IsEmpty()) << line.substr(0, 10);
    EXPECT_EQ(system.store.reads.size(), 5u);
  }
}

}  // namespace
}  // namespace velkaro
