#pragma once
// What a saver run needs from the system besides its music: the saver
// window and the operating system's screen-saver services.
#include <cstdint>
#include <string>

#include "effects/palette.h"
#include "effects/presentation.h"

namespace velkaro {

enum class SaverTimer : std::uint32_t {
  Timer1 = 1,  // music-file repeat check, every 1000 ms
  Timer2 = 2,  // audio-CD check, every 200 ms
  Timer3 = 3,  // the pattern's burst step
  Timer4 = 4,  // the pattern's motion step
};

class SaverWindowPort {
 public:
  virtual ~SaverWindowPort() = default;
  // DirectDraw on this window: exclusive full screen, surfaces, display depth.
  virtual void DDInit() = 0;
  virtual void ShowNormal() = 0;
  virtual void MakeTopmost() = 0;
  virtual void ArmTimer(SaverTimer timer, std::uint32_t interval_ms) = 0;
  virtual void DisableTimer(SaverTimer timer) = 0;
  virtual bool TimerEnabled(SaverTimer timer) const = 0;
  // Presents the frame buffer through PalLUT.
  virtual void Present(const IndexImage& frame, const PaletteTable& PalLUT) = 0;
  // Dispatches every pending message and waits, still dispatching, until the
  // next frame is due or the run has ended.
  virtual void YieldToMessages(const bool& running) = 0;
  virtual void Unload() = 0;
  // The millisecond tick count the wind is timed by.
  virtual std::uint32_t TickCount() = 0;
};

class SaverSystem {
 public:
  virtual ~SaverSystem() = default;
  virtual bool IsWinNT() = 0;
  virtual void ShowCursor(bool show) = 0;
  // The 95/98 password prompt; true when the run may end.
  virtual bool VerifyScreenSavePwd() = 0;
  virtual void SetSaverRunning(bool running) = 0;
  // SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, 1, 0, 0).
  virtual void SetScreenSaveActive() = 0;
  virtual std::uint32_t SecondsSinceMidnight() = 0;
};

}  // namespace velkaro
