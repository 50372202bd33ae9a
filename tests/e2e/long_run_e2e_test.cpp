// A long full-screen run with MP3 music, driven by scripts/long-run.sh: the
// saver's private bytes, GDI objects and handles sampled once a minute, then
// the end on a key. Skipped unless VELKARO_LONG_RUN_MINUTES is set.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "settings/window_titles.h"
#include "support/saver_process_win32.h"

namespace velkaro::testing {
namespace {

struct Sample {
  SIZE_T private_bytes = 0;
  DWORD gdi_objects = 0, user_objects = 0, handles = 0;
  DWORD error = 0;  // the system's error when a count could not be had
};

Sample SampleOf(DWORD process_id) {
  Sample sample;
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process_id);
  if (!process) {
    sample.error = GetLastError();
    return sample;
  }
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                           sizeof memory))
    sample.private_bytes = memory.PrivateUsage;
  else
    sample.error = GetLastError();
  sample.gdi_objects = GetGuiResources(process, GR_GDIOBJECTS);
  sample.user_objects = GetGuiResources(process, GR_USEROBJECTS);
  if (!GetProcessHandleCount(process, &sample.handles) && !sample.error)
    sample.error = GetLastError();
  CloseHandle(process);
  return sample;
}

TEST(LongRun, SamplesEveryMinuteAndEndsOnAKey) {
  const char* minutes_text = std::getenv("VELKARO_LONG_RUN_MINUTES");
  const char* pattern_text = std::getenv("VELKARO_LONG_RUN_PATTERN");
  const char* mp3 = std::getenv("VELKARO_TONE_MP3");
  if (!minutes_text || !pattern_text || !mp3) GTEST_FAIL() << "run by scripts/long-run.sh";
  const int minutes = std::atoi(minutes_text);
  SaverFolder folder;
  folder.WriteIni(std::string("[Section]\r\n\xCA\xDF\xC0\xB0\xDD= ") + pattern_text +
                  "\r\nBGM\x8B\xE6\x95\xAA= 2\r\nBGM\xCC\xA7\xB2\xD9=" + mp3 + "\r\n");
  SaverProcess saver(folder, "/s");
  ASSERT_NE(saver.WaitForWindow(Wide(kSaverWindowTitle), 15000), nullptr);
  for (int minute = 0; minute <= minutes; ++minute) {
    if (minute > 0) {
      ASSERT_FALSE(saver.WaitForExit(60000)) << "ended by itself";
    }
    const Sample s = SampleOf(saver.process_id());
    std::printf(
        "sample pattern=%s minute=%d private_kb=%lu gdi=%lu user=%lu handles=%lu error=%lu\n",
        pattern_text, minute, static_cast<unsigned long>(s.private_bytes / 1024), s.gdi_objects,
        s.user_objects, s.handles, s.error);
    std::fflush(stdout);
  }
  PressKey(VK_SPACE);
  EXPECT_TRUE(saver.WaitForExit(8000)) << "a key did not end the long run";
  EXPECT_EQ(saver.exit_code(), 0u);
}

}  // namespace
}  // namespace velkaro::testing
