#pragma once
// The program's start: the single-instance test, the mode from the command
// line, the settings, and the hand-over to the mode's window.
#include <cstdint>
#include <optional>
#include <string_view>

#include "saver/saver_start.h"
#include "settings/settings.h"

namespace velkaro {

// The system services and the mode windows, as the start routine sees them.
class StartupSystem {
 public:
  virtual ~StartupSystem() = default;
  // FindWindow with no class name; the title is the program's own text
  // (UTF-8), which the system is given as it is given the caption.
  virtual bool TopLevelWindowExists(std::string_view title) = 0;
  virtual bool IsWinNT() = 0;
  // PwdChangePasswordA("SCRSAVE", parent, 0, 0), on the 95/98 family only.
  virtual void ChangePassword(std::int32_t parent) = 0;
  virtual void HideCursor() = 0;
  virtual void SetSaverRunning(bool running) = 0;
  virtual SettingsFile SettingsLocation() = 0;

  // The mode windows. The preview returns true when its window is up and the
  // process must live on; the others return when their run is over.
  virtual bool StartPreview(std::optional<std::int32_t> parent) = 0;
  virtual void ShowSettingsDialog(Settings& settings) = 0;
  virtual void RunSaver(Settings& settings, SaverStart start) = 0;
};

enum class AfterStart { EndProgram, KeepPreviewRunning };

AfterStart StartRoutine(std::string_view command_line, StartupSystem& system, Settings& settings);

}  // namespace velkaro
