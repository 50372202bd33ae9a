#pragma once
// The settings dialog as a window of its own: shown with no owner, it runs
// its own message loop and returns once it has closed.
#include "startup/settings.h"

namespace velkaro {

void RunSettingsDialog(Settings& settings, const SettingsFile& file);

}  // namespace velkaro
