// The program's entry: Velkaro.scr as the screen-saver machinery starts it.
#include <windows.h>

#include "saver/saver_win32.h"
#include "settings_dialog/settings_dialog_win32.h"
#include "preview/preview_win32.h"
#include "settings/profile_store_win32.h"
#include "startup/start_routine.h"
#include "common/system_win32.h"
#include "common/text_cp932.h"
#include "common/text_win32.h"

namespace velkaro {
namespace {

// The main module's settings variables, for the life of the process.
Settings g_settings;

class Win32StartupSystem final : public StartupSystem {
 public:
  // The same text as the windows' captions (Window::CreateCaptioned): wide
  // where windows keep wide texts, so that the search finds the caption
  // under every ANSI code page.
  bool TopLevelWindowExists(std::string_view title) override {
    if (!HasUnicodeWindows()) return FindWindowA(nullptr, ToCp932(title).c_str()) != nullptr;
    return FindWindowW(nullptr, WideText(title).c_str()) != nullptr;
  }
  bool IsWinNT() override { return velkaro::IsWinNT(); }
  void ChangePassword(std::int32_t parent) override { ChangeScreenSaverPassword(parent); }
  void HideCursor() override { ShowCursor(FALSE); }
  void SetSaverRunning(bool running) override { velkaro::SetSaverRunning(running); }
  SettingsFile SettingsLocation() override {
    const std::string user_folder = ApplicationDataDirectory();
    return SettingsFile{store_, files_, SettingsPathFor(ExecutableDirectory()),
                        user_folder.empty() ? std::string() : user_folder + "\\Velkaro"};
  }

  bool StartPreview(std::optional<std::int32_t> parent) override {
    return StartPreviewWindow(parent);
  }
  // Modal with no owner: returns once the dialog has closed.
  void ShowSettingsDialog(Settings& settings) override {
    RunSettingsDialog(settings, SettingsLocation());
  }
  void RunSaver(Settings& settings, SaverStart start) override { RunSaverWindow(settings, start); }

 private:
  Win32ProfileStore store_;
  Win32FileProbe files_;
};

// Keeps the process alive for the preview window until it is destroyed.
int RunMessageLoop() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}

}  // namespace
}  // namespace velkaro

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR command_line, int) {
  velkaro::Win32StartupSystem system;
  const auto after =
      velkaro::StartRoutine(command_line ? command_line : "", system, velkaro::g_settings);
  return after == velkaro::AfterStart::KeepPreviewRunning ? velkaro::RunMessageLoop() : 0;
}
