// Saves two different sets of settings in turn into the Velkaro.ini of the
// folder named on the command line, for ever. The atomic-save test kills it
// at random moments.
#include <windows.h>

#include "settings/profile_store_win32.h"
#include "settings/settings.h"
#include "settings/settings_kill_sets.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  velkaro::Win32ProfileStore store;
  velkaro::Win32FileProbe files;
  const velkaro::SettingsFile file{store, files, velkaro::SettingsPathFor(argv[1])};
  for (unsigned round = 0;; ++round) {
    velkaro::Settings settings = velkaro::testing::KillTestSettings(round % 2);
    velkaro::SaveSettings(settings, file, velkaro::testing::KillTestRepeatText(round % 2));
  }
}
