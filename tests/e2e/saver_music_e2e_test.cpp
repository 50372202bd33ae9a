// The driven half of the music test of a full-screen run: saver_music_test.sh
// records the sound card while this runs the saver with an MP3 for a few
// seconds, ends it with a key and waits in silence.
#include <gtest/gtest.h>

#include <cstdlib>

#include "settings/window_titles.h"
#include "support/saver_process_win32.h"

namespace velkaro::testing {
namespace {

TEST(SaverMusic, PlaysTheMp3WhileRunningAndStopsAtTheEnd) {
  const char* mp3 = std::getenv("VELKARO_TEST_MP3");
  if (!mp3) GTEST_FAIL() << "run by saver_music_test.sh, which records the sound";
  SaverFolder folder;
  folder.WriteIni(
      std::string("[Section]\r\n\xCA\xDF\xC0\xB0\xDD= 8\r\nBGM\x8B\xE6\x95\xAA= 2\r\n") +
      "BGM\xCC\xA7\xB2\xD9=" + mp3 + "\r\n");
  SaverProcess saver(folder, "/s");
  ASSERT_NE(saver.WaitForWindow(Wide(kSaverWindowTitle), 15000), nullptr);
  // The recording must hear the file whole and again after its end, when
  // the once-a-second check restarts it: the run lasts that long.
  Sleep(6000);
  PressKey(VK_RETURN);
  EXPECT_TRUE(saver.WaitForExit(8000));
  // The recording goes on past the end, where silence must follow.
  Sleep(3000);
}

}  // namespace
}  // namespace velkaro::testing
