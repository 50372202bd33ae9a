// Runs an installed Velkaro.scr where it lies, as the screen-saver machinery
// does ("/s"), and ends it with a key:
//   velkaro_installed_saver_check PATH-OF-Velkaro.scr
// Exits 0 when the saver's window showed and the key ended it with status 0.
#include <windows.h>

#include <cstdio>
#include <string>

#include "settings/window_titles.h"
#include "support/saver_process_win32.h"

int main(int argc, char** argv) {
  using namespace velkaro::testing;
  if (argc != 2) {
    std::fprintf(stderr, "usage: velkaro_installed_saver_check PATH-OF-Velkaro.scr\n");
    return 2;
  }
  SaverProcess saver(argv[1], "/s");
  if (!saver.started()) {
    std::printf("%s did not start (error %lu)\n", argv[1], GetLastError());
    return 1;
  }
  if (!saver.WaitForWindow(velkaro::testing::Wide(velkaro::kSaverWindowTitle), 15000)) {
    std::printf("no saver window showed\n");
    return 1;
  }
  if (saver.WaitForExit(500)) {
    std::printf("the saver ended before any key\n");
    return 1;
  }
  PressKey(VK_SPACE);
  if (!saver.WaitForExit(8000)) {
    std::printf("a key did not end the saver\n");
    return 1;
  }
  std::printf("the saver ran and ended on a key, status %lu\n", saver.exit_code());
  return saver.exit_code() == 0 ? 0 : 1;
}
