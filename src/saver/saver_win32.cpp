#include "saver/saver_win32.h"

#include <windows.h>

#include "common/library_win32.h"
#include "common/system_win32.h"
#include "music/mci_port_win32.h"
#include "music/music_player.h"
#include "saver/saver_presentation_win32.h"
#include "saver/saver_run.h"
#include "saver/saver_window_win32.h"

namespace velkaro {
namespace {

class Win32PasswordLibrary final : public PasswordLibrary {
 public:
  explicit Win32PasswordLibrary(HWND window) : window_(window) {}
  bool Load() override {
    library_.reset(LoadLibraryA("password.cpl"));
    return library_ != nullptr;
  }
  bool HasVerifyFunction() override {
    verify_ = LibraryFunction<VerifyFunction>(library_, "VerifyScreenSavePwd");
    return verify_ != nullptr;
  }
  bool Verify() override { return verify_ && verify_(window_) != FALSE; }

 private:
  using VerifyFunction = BOOL(WINAPI*)(HWND);
  HWND window_;
  Library library_;
  VerifyFunction verify_ = nullptr;
};

// The system's services to a run on the saver window and its presentation.
class Win32SaverSystem final : public SaverSystem, public ScreenSaverServices {
 public:
  Win32SaverSystem(SaverWindow& window, Win32SaverPresentation& presentation)
      : window_(window), presentation_(presentation) {}

  std::uint32_t SecondsSinceMidnight() override {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wHour * 3600u + now.wMinute * 60u + now.wSecond;
  }
  void DDInit() override { presentation_.DDInit(); }
  void MakeTopmost() override { window_.MakeTopmost(); }
  bool IsWinNT() override { return velkaro::IsWinNT(); }
  void ShowCursor(bool show) override { ::ShowCursor(show ? TRUE : FALSE); }
  // The 95/98 password check lives in the password control-panel library.
  bool VerifyScreenSavePwd() override {
    Win32PasswordLibrary library(window_.handle());
    return VerifyScreenSavePwdThrough(library);
  }
  void SetSaverRunning(bool running) override { velkaro::SetSaverRunning(running); }
  void SetScreenSaveActive() override {
    SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, 1, nullptr, 0);
  }

 private:
  SaverWindow& window_;
  Win32SaverPresentation& presentation_;
};

}  // namespace

void RunSaverWindow(Settings& settings, SaverStart start) {
  SaverWindow window;
  Win32SaverPresentation presentation(window);
  Win32SaverSystem system(window, presentation);
  Win32MciPort mci;
  Win32SoundPort sound;
  MusicPlayer music(mci, sound, settings);
  SaverRun run(settings, start, {window, presentation, system, &music, &system});
  if (run.Load() == SaverRun::Outcome::BadPaletteMode) {
    // The whole process ends at once, without any further clean-up.
    ExitProcess(0);
  }
}

}  // namespace velkaro
