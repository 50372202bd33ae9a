#include "startup/start_routine.h"

#include "settings/window_titles.h"
#include "startup/command_line.h"

namespace velkaro {
namespace {

bool AnotherInstanceIsOpen(StartupSystem& system) {
  // Both windows are looked for before either answer counts.
  const bool saver_open = system.TopLevelWindowExists(kSaverWindowTitle);
  const bool dialog_open = system.TopLevelWindowExists(kSettingsWindowTitle);
  return saver_open || dialog_open;
}

void RunSaver(StartupSystem& system, Settings& settings, SaverStart start) {
  if (start == SaverStart::BySystem) {
    system.HideCursor();
    system.SetSaverRunning(true);
  }
  system.RunSaver(settings, start);
}

}  // namespace

AfterStart StartRoutine(std::string_view command_line, StartupSystem& system, Settings& settings) {
  if (AnotherInstanceIsOpen(system)) return AfterStart::EndProgram;

  const StartCommand command = ParseCommandLine(command_line);
  if (command.mode == StartMode::Preview) {
    return system.StartPreview(command.window) ? AfterStart::KeepPreviewRunning
                                               : AfterStart::EndProgram;
  }

  LoadSettings(settings, system.SettingsLocation());

  switch (command.mode) {
    case StartMode::ChangePassword:
      // The system always passes a handle; without one the dialog has no owner.
      if (!system.IsWinNT()) system.ChangePassword(command.window.value_or(0));
      break;
    case StartMode::Configure: system.ShowSettingsDialog(settings); break;
    case StartMode::Show: RunSaver(system, settings, SaverStart::BySystem); break;
    case StartMode::ShowByHand: RunSaver(system, settings, SaverStart::ByHand); break;
    case StartMode::Preview:
    case StartMode::Unknown: break;
  }
  return AfterStart::EndProgram;
}

}  // namespace velkaro
