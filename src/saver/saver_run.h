#pragma once
// One run of the full-screen saver: the load handler with its set-up and
// frame loop, the timer and input handlers that run between frames, and the
// orderly end of the run.
#include <cstdint>

#include "effects/engine.h"
#include "effects/palette.h"
#include "effects/random.h"
#include "music/music_player.h"
#include "saver/saver_ports.h"
#include "saver/saver_start.h"
#include "settings/settings.h"

namespace velkaro {

// The screen-saver password check of the 95/98 password library, as the
// system provides it at run time: the library may be missing, or lack the
// function.
class PasswordLibrary {
 public:
  virtual ~PasswordLibrary() = default;
  // False when the library cannot be loaded.
  virtual bool Load() = 0;
  // False when the loaded library has no VerifyScreenSavePwd.
  virtual bool HasVerifyFunction() = 0;
  // Calls VerifyScreenSavePwd on the saver window; its result, nonzero when
  // the run may end.
  virtual bool Verify() = 0;
};

// VerifyScreenSavePwd's answer, true when the run may end. A service that
// cannot be called at all lets the run end: counting it as a refused password
// would leave the user no way out but switching the machine off, while the
// check itself stays in force wherever the system has it. A check that
// refuses is asked again at the next key or click, however often it refuses.
bool VerifyScreenSavePwdThrough(PasswordLibrary& library);

class SaverRun final : public SaverInput {
 public:
  SaverRun(Settings& settings, SaverStart start, const SaverPorts& ports);
  SaverRun(const SaverRun&) = delete;
  SaverRun& operator=(const SaverRun&) = delete;

  enum class Outcome {
    Ended,           // a key, a click or the system ended the run
    BadPaletteMode,  // the pattern's palette mode is not one of 0..5
  };
  // Sets the run up and runs frames until the run ends.
  Outcome Load();

  // The generator's start for a run that must replay exactly, as the
  // renderer's --seed: before Load or Start.
  void SeedGenerator(std::uint32_t seed) { random_.reseed(seed); }

  // For a front end whose frames are driven from outside (the browser's
  // animation frames): Load's set-up, false when the palette mode is not
  // one of 0..5. The front end then calls RunFrame whenever its window says
  // a frame is due, and has the window dispatch its input in between.
  bool Start();
  // One frame of the loop: the engine's step, then the presentation.
  void RunFrame();

  // Handlers, called by the window's pump while the frame loop yields.
  void OnKeyDown(int key_code) override;
  void OnMouseButtonDown() override;
  void OnTimer(SaverTimer timer) override;
  // Another program asks the window to close: an end of the run like a key,
  // through the password check where the system expects one.
  void OnCloseRequest() override;
  // The session ends (log-off, shut-down): the run ends at once, without a
  // prompt, and the system state is put back.
  void OnSessionEnd() override;

  // Asks for the end of the run: the password check where the system
  // expects one, then the end of the run.
  void TryQuit();

  bool running() const { return Running; }
  const Engine& engine() const { return engine_; }

 private:
  bool SetUp();
  void ArmPatternTimers();
  void YieldUntilNextFrame();
  void EndRun();
  bool PasswordAllowsTheEnd();

  Settings& settings_;
  SaverStart start_;
  SaverPorts ports_;

  // Timer1 and Timer2 as the music module arms them.
  class MusicTimersOfWindow final : public MusicTimers {
   public:
    explicit MusicTimersOfWindow(SaverWindowPort& window) : window_(window) {}
    void EnableMp3Check() override { window_.ArmTimer(SaverTimer::Timer1, kMp3CheckIntervalMs); }
    void EnableCdCheck() override { window_.ArmTimer(SaverTimer::Timer2, kCdCheckIntervalMs); }
    void DisableCdCheck() override { window_.DisableTimer(SaverTimer::Timer2); }
    bool CdCheckEnabled() const override { return window_.TimerEnabled(SaverTimer::Timer2); }

   private:
    SaverWindowPort& window_;
  };
  MusicTimersOfWindow music_timers_{ports_.window};

  Random random_;
  Engine engine_{random_};
  PaletteTable PalLUT{};
  bool Running = false;
  bool in_try_quit_ = false;
};

}  // namespace velkaro
