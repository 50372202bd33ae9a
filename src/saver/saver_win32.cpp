#include "saver/saver_win32.h"

#include <windows.h>

#include <optional>

#include "common/library_win32.h"
#include "effects/directdraw_win32.h"
#include "effects/gdi_presentation_win32.h"
#include "music/mci_port_win32.h"
#include "music/music_player.h"
#include "saver/frame_log_win32.h"
#include "saver/saver_run.h"
#include "saver/saver_window_win32.h"
#include "common/system_win32.h"

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

class Win32SaverSystem final : public SaverSystem {
 public:
  bool IsWinNT() override { return velkaro::IsWinNT(); }
  void ShowCursor(bool show) override { ::ShowCursor(show ? TRUE : FALSE); }
  // The 95/98 password check lives in the password control-panel library.
  bool VerifyScreenSavePwd() override {
    Win32PasswordLibrary library(window_);
    return VerifyScreenSavePwdThrough(library);
  }
  void SetSaverRunning(bool running) override { velkaro::SetSaverRunning(running); }
  void SetScreenSaveActive() override {
    SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, 1, nullptr, 0);
  }
  std::uint32_t SecondsSinceMidnight() override {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wHour * 3600u + now.wMinute * 60u + now.wSecond;
  }
  void set_window(HWND window) { window_ = window; }

 private:
  HWND window_ = nullptr;
};

// The saver window with its presentation, as the run sees it: DirectDraw
// where it can be had, GDI where not.
class Win32SaverWindow final : public SaverWindowPort {
 public:
  explicit Win32SaverWindow(SaverInput& input) : window_(input) {}

  HWND handle() const { return window_.handle(); }
  // A DirectDraw that refuses exclusive mode or cannot be had at all is let
  // go at once, library and all; the run shows its frames through GDI.
  void DDInit() override {
    direct_draw_.emplace();
    direct_draw_->DDInit(window_.handle());
    if (PresentsThroughGdi(direct_draw_->start())) direct_draw_.reset();
  }
  void ShowNormal() override { window_.ShowNormal(); }
  void MakeTopmost() override { window_.MakeTopmost(); }
  void ArmTimer(SaverTimer timer, std::uint32_t interval_ms) override {
    window_.ArmTimer(timer, interval_ms);
  }
  void DisableTimer(SaverTimer timer) override { window_.DisableTimer(timer); }
  bool TimerEnabled(SaverTimer timer) const override { return window_.TimerEnabled(timer); }
  void Present(const IndexImage& frame, const PaletteTable& PalLUT) override {
    if (direct_draw_) {
      PresentThroughDirectDraw(frame, PalLUT);
    } else {
      PresentThroughGdi(frame, PalLUT);
    }
  }
  void YieldToMessages(const bool& running) override { window_.YieldUntilNextFrame(running); }
  void Unload() override { window_.Unload(); }
  std::uint32_t TickCount() override { return GetTickCount(); }

 private:
  // The current frame stretched over a rectangle of a window, through GDI.
  auto StretchThroughGdi() {
    return [this](HDC dc, const Rect& rect) { return gdi_.StretchFrameTo(dc, rect); };
  }
  // The primary surface reaches the primary screen only: the monitors
  // beyond it show the same frame through GDI, with the same stretch.
  // (GDI's own StretchBlt of the back surface would pick other picture
  // columns here and there.)
  void PresentThroughDirectDraw(const IndexImage& frame, const PaletteTable& PalLUT) {
    if (!direct_draw_->render(frame, PalLUT)) return;
    frame_log_.FramePresented();
    if (window_.CoveredMonitors().empty()) return;
    gdi_.NewFrame(frame, PalLUT);
    window_.PaintCovers(StretchThroughGdi());
  }
  // Converted once, stretched once per size, copied to every window.
  void PresentThroughGdi(const IndexImage& frame, const PaletteTable& PalLUT) {
    gdi_.NewFrame(frame, PalLUT);
    if (window_.PaintWindow(StretchThroughGdi())) frame_log_.FramePresented();
    window_.PaintCovers(StretchThroughGdi());
  }

  SaverWindow window_;
  // Empty before DDInit and where the run presents through GDI.
  std::optional<DirectDrawPresentation> direct_draw_;
  GdiPresentation gdi_;
  ProcessFrameLog frame_log_;
};

// Forwards the window's messages to the run.
class RunInput final : public SaverInput {
 public:
  void OnKeyDown(int key_code) override { if (run) run->OnKeyDown(key_code); }
  void OnMouseButtonDown() override { if (run) run->OnMouseButtonDown(); }
  void OnTimer(SaverTimer timer) override { if (run) run->OnTimer(timer); }
  void OnCloseRequest() override { if (run) run->OnCloseRequest(); }
  void OnSessionEnd() override { if (run) run->OnSessionEnd(); }
  SaverRun* run = nullptr;
};

}  // namespace

void RunSaverWindow(Settings& settings, const std::string& mode_letter) {
  RunInput input;
  Win32SaverWindow window(input);
  Win32SaverSystem system;
  system.set_window(window.handle());
  Win32MciPort mci;
  Win32SoundPort sound;
  MusicPlayer music(mci, sound, settings);
  SaverRun run(settings, mode_letter, window, music, system);
  input.run = &run;
  if (run.Load() == SaverRun::Outcome::BadPaletteMode) {
    // The whole process ends at once, without any further clean-up.
    ExitProcess(0);
  }
  input.run = nullptr;
}

}  // namespace velkaro
