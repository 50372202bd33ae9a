// How the real executable starts: which command lines end at once, and the
// test that keeps a second copy from starting beside an open saver or
// settings dialog.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "e2e/saver_driver.h"
#include "settings/window_titles.h"
#include "support/saver_process_win32.h"

namespace velkaro::testing {
namespace {

void ExpectEndsAtOnceWithoutAWindow(const std::string& arguments) {
  SaverFolder folder;
  const SaverOutcome run = RunSaver(folder, arguments, kAtOnceMs);
  EXPECT_TRUE(run.ended) << arguments.substr(0, 20);
  EXPECT_EQ(run.exit_code, 0u) << arguments.substr(0, 20);
  EXPECT_THAT(run.window_titles, ::testing::IsEmpty()) << arguments.substr(0, 20);
}

TEST(Startup, UnrecognisedCommandLinesEndAtOnceWithoutAWindow) {
  for (const std::string& line : {std::string("s"), std::string("/"), std::string("/x"),
                                  std::string("/q 5"), std::string("/1"), std::string(10000, 'z')})
    ExpectEndsAtOnceWithoutAWindow(line);
}

TEST(Startup, UnreadableSettingsDoNotStopAnUnrecognisedLineFromEnding) {
  SaverFolder folder;
  folder.WriteIni(std::string("\0\xFF\xFE[Section\r\n=\x81\x82", 12) + std::string(5000, 'x'));
  const SaverOutcome run = RunSaver(folder, "/x", kAtOnceMs);
  EXPECT_TRUE(run.ended);
  EXPECT_THAT(run.window_titles, ::testing::IsEmpty());
}

TEST(Startup, AnOpenSaverWindowKeepsEveryModeFromStarting) {
  TitledWindow saver(Wide(kSaverWindowTitle));
  for (const char* line : {"/s", "", "/p 1234", "/c", "/a 1234"})
    ExpectEndsAtOnceWithoutAWindow(line);
}

TEST(Startup, AnOpenSettingsDialogKeepsEveryModeFromStarting) {
  TitledWindow dialog(Wide(kSettingsWindowTitle));
  for (const char* line : {"/s", "", "/p 1234", "/c", "/a 1234"})
    ExpectEndsAtOnceWithoutAWindow(line);
}

TEST(Startup, LeavesTheSettingsFileAsItWas) {
  SaverFolder folder;
  const std::string bytes = "[Section]\r\n\xCA\xDF\xC0\xB0\xDD= 5\r\n";
  folder.WriteIni(bytes);
  for (const char* line : {"/x", "/a 1"}) RunSaver(folder, line, kAtOnceMs);
  EXPECT_EQ(folder.ReadIni(), bytes);
}

}  // namespace
}  // namespace velkaro::testing
