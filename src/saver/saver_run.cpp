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

SaverRun::SaverRun(Settings& settings, SaverStart start, const SaverPorts& ports)
    : settings_(settings), start_(start), ports_(ports) {}

SaverRun::Outcome SaverRun::Load() {
  if (!Start()) return Outcome::BadPaletteMode;
  while (Running) {
    RunFrame();
    YieldUntilNextFrame();
  }
  return Outcome::Ended;
}

bool SaverRun::Start() {
  if (!SetUp()) return false;
  Running = true;
  return true;
}

// The load handler's order: the engine's phases, with the display set up
// after the pool and the music, the window and the timers after the noise.
bool SaverRun::SetUp() {
  EngineSetUpOptions set_up;
  set_up.seconds_since_midnight = ports_.system.SecondsSinceMidnight();
  settings_.Pattern_No = SetUpPattern(engine_, settings_.Rdm_Flag, settings_.Pattern_No, set_up);
  engine_.AllocateParticles();
  if (ports_.screen_saver) ports_.screen_saver->DDInit();
  const auto palette = initpal(engine_.params.PalMode);
  if (!palette) return false;
  PalLUT = *palette;
  ports_.presentation.SetPalette(PalLUT);
  FillFrameWithNoise(engine_);

  if (ports_.music) StartMusic(settings_, *ports_.music, music_timers_);
  ports_.window.ShowNormal();
  if (ports_.screen_saver) ports_.screen_saver->MakeTopmost();
  ArmPatternTimers();
  ParkParticlesAndBuildTables(engine_);
  return true;
}

void SaverRun::RunFrame() {
  StepFrame(engine_, ports_.window.TickCount());
  ports_.presentation.Present(IndexImage{engine_.FrameBuf.bytes().data(), Engine::W, Engine::H});
}

// Every pending message first, then, until the next frame is due, each one
// as it arrives; an end of the run among them ends the wait.
void SaverRun::YieldUntilNextFrame() {
  ports_.window.DispatchPending(*this);
  while (Running && !ports_.window.WaitForNextFrame()) ports_.window.DispatchPending(*this);
}

void SaverRun::ArmPatternTimers() {
  const PatternAnimators animators = AnimatorsFor(engine_.Pattern_No);
  if (animators.burst_interval_ms)
    ports_.window.ArmTimer(SaverTimer::Timer3, std::uint32_t(*animators.burst_interval_ms));
  if (animators.motion_interval_ms)
    ports_.window.ArmTimer(SaverTimer::Timer4, std::uint32_t(*animators.motion_interval_ms));
}

// Timer1 and Timer2 are armed only by the music.
void SaverRun::OnTimer(SaverTimer timer) {
  MusicPlayer* const music = ports_.music;
  switch (timer) {
    case SaverTimer::Timer1:
      if (music) music->Mp3RepeatCheck();
      break;
    case SaverTimer::Timer2:
      if (music) OnCdCheckTimer(*music, music_timers_);
      break;
    case SaverTimer::Timer3: PatternBurst(engine_); break;
    case SaverTimer::Timer4: PatternMotion(engine_); break;
  }
}

void SaverRun::OnKeyDown(int key_code) {
  const bool plays_cd = ports_.music && settings_.BGM_Kind == 1;
  if (plays_cd && key_code == kKeyLeft) return ports_.music->CdPrevTrack();
  if (plays_cd && key_code == kKeyRight) return ports_.music->CdNextTrack();
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

// Only Windows' machinery asks for a password, and only of a run it started.
bool SaverRun::PasswordAllowsTheEnd() {
  ScreenSaverServices* const screen_saver = ports_.screen_saver;
  if (start_ != SaverStart::BySystem || !screen_saver || screen_saver->IsWinNT()) return true;
  screen_saver->ShowCursor(true);
  if (screen_saver->VerifyScreenSavePwd()) return true;
  screen_saver->ShowCursor(false);
  return false;
}

void SaverRun::EndRun() {
  if (ports_.music) EndMusic(settings_, *ports_.music, music_timers_);
  ScreenSaverServices* const screen_saver = ports_.screen_saver;
  if (screen_saver && start_ == SaverStart::BySystem) screen_saver->SetSaverRunning(false);
  Running = false;
  if (screen_saver) screen_saver->SetScreenSaveActive();
  ports_.window.Unload();
}

}  // namespace velkaro
