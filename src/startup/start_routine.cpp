#include "startup/start_routine.h"

#include "startup/command_line.h"
#include "settings/window_titles.h"

namespace velkaro {
namespace {

bool AnotherInstanceIsOpen(StartupSystem& system) {
  // Both windows are looked for before either answer counts.
  const bool saver_open = system.TopLevelWindowExists(kSaverWindowTitle);
  const bool dialog_open = system.TopLevelWindowExists(kSettingsWindowTitle);
  return saver_open || dialog_open;
}

}  // namespace

AfterStart StartRoutine(std::string_view command_line, StartupSystem& system, Settings& settings) {
  if (AnotherInstanceIsOpen(system)) return AfterStart::EndProgram;

  const std::string mode = ModeLetter(command_line);
  if (mode == "P") {
    return system.StartPreview(WindowHandleArgument(command_line)) ? AfterStart::KeepPreviewRunning
                                                                   : AfterStart::EndProgram;
  }

  LoadSettings(settings, system.SettingsLocation());

  if (mode == "A") {
    // The system always passes a handle; without one the dialog has no owner.
    if (!system.IsWinNT()) system.ChangePassword(WindowHandleArgument(command_line).value_or(0));
    return AfterStart::EndProgram;
  }
  if (mode == "C") {
    system.ShowSettingsDialog(settings);
    return AfterStart::EndProgram;
  }
  if (!command_line.empty() && mode != "S") return AfterStart::EndProgram;

  if (mode == "S") {
    system.HideCursor();
    system.SetSaverRunning(true);
  }
  system.RunSaver(settings);
  return AfterStart::EndProgram;
}

}  // namespace velkaro
