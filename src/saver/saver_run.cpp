#include "saver/saver_run.h"

#include "effects/animators.h"
#include "effects/engine_setup.h"

namespace velkaro {
namespace {

constexpr int kKeyLeft = 37;
constexpr int kKeyRight = 39;

}  // namespace

bool VerifyScreenSavePwdThrough(PasswordLibrary& library) {
  if (!library.Load() || !library.HasVerifyFunction()) return true;
  return library.Verify();
}

SaverRun::SaverRun(Settings& settings, std::string mode_letter, SaverWindowPort& window,
                   MusicPlayer& music, SaverSystem& system)
    : settings_(settings),
      mode_letter_(std::move(mode_letter)),
      window_(window),
      music_(music),
      system_(system) {}

SaverRun::Outcome SaverRun::Load() {
  EngineSetUpOptions set_up;
  set_up.seconds_since_midnight = system_.SecondsSinceMidnight();
  set_up.between_pool_and_palette = [this] { window_.DDInit(); };
  set_up.after_noise = [this] {
    StartMusic(settings_, music_, music_timers_);
    window_.ShowNormal();
    window_.MakeTopmost();
    ArmPatternTimers();
  };
  const auto palette = SetUpEngine(engine_, settings_.Rdm_Flag, settings_.Pattern_No, set_up);
  if (!palette) return Outcome::BadPaletteMode;
  PalLUT = *palette;

  Running = true;
  while (Running) {
    RunFrame();
    window_.YieldToMessages(Running);
  }
  return Outcome::Ended;
}

void SaverRun::RunFrame() {
  StepFrame(engine_, window_.TickCount());
  window_.Present(IndexImage{engine_.FrameBuf.bytes().data(), Engine::W, Engine::H}, PalLUT);
}

void SaverRun::ArmPatternTimers() {
  const PatternAnimators animators = AnimatorsFor(engine_.Pattern_No);
  if (animators.burst_interval_ms)
    window_.ArmTimer(SaverTimer::Timer3, std::uint32_t(*animators.burst_interval_ms));
  if (animators.motion_interval_ms)
    window_.ArmTimer(SaverTimer::Timer4, std::uint32_t(*animators.motion_interval_ms));
}

void SaverRun::OnTimer(SaverTimer timer) {
  switch (timer) {
    case SaverTimer::Timer1: music_.Mp3RepeatCheck(); break;
    case SaverTimer::Timer2: OnCdCheckTimer(music_, music_timers_); break;
    case SaverTimer::Timer3: PatternBurst(engine_); break;
    case SaverTimer::Timer4: PatternMotion(engine_); break;
  }
}

void SaverRun::OnKeyDown(int key_code) {
  if (settings_.BGM_Kind == 1 && key_code == kKeyLeft) return music_.CdPrevTrack();
  if (settings_.BGM_Kind == 1 && key_code == kKeyRight) return music_.CdNextTrack();
  TryQuit();
}

void SaverRun::OnMouseButtonDown() { TryQuit(); }

void SaverRun::OnCloseRequest() { TryQuit(); }

void SaverRun::OnSessionEnd() {
  if (Running) EndRun();
}

void SaverRun::TryQuit() {
  // The password prompt is modal; input goes to it while it is open, but
  // nothing may ask a second time meanwhile.
  if (!Running || in_try_quit_) return;
  in_try_quit_ = true;
  const bool may_end = PasswordAllowsTheEnd();
  in_try_quit_ = false;
  if (may_end) EndRun();
}

bool SaverRun::PasswordAllowsTheEnd() {
  if (mode_letter_ != "S" || system_.IsWinNT()) return true;
  system_.ShowCursor(true);
  if (system_.VerifyScreenSavePwd()) return true;
  system_.ShowCursor(false);
  return false;
}

void SaverRun::EndRun() {
  EndMusic(settings_, music_, music_timers_);
  if (mode_letter_ == "S") system_.SetSaverRunning(false);
  Running = false;
  system_.SetScreenSaveActive();
  window_.Unload();
}

}  // namespace velkaro
