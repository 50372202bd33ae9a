#pragma once
// The full-screen run of the saver, as the start routine hands over to it.
#include "saver/saver_start.h"
#include "settings/settings.h"

namespace velkaro {

// Runs the saver until a key, a click or the system ends the run.
void RunSaverWindow(Settings& settings, SaverStart start);

}  // namespace velkaro
