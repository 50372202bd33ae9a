#pragma once
// What a saver run needs from its front end: the window it draws into, the
// presentation of its frames, the time of day and, where the front end has
// them, the music and the screen-saver services of Windows. The run calls
// the ports; the only calls back are the window's input, which the pump
// hands to the run while it dispatches.
#include <cstdint>

#include "effects/palette.h"
#include "effects/presentation.h"
#include "music/music_player.h"

namespace velkaro {

enum class SaverTimer : std::uint32_t {
  Timer1 = 1,  // music-file repeat check, every 1000 ms
  Timer2 = 2,  // audio-CD check, every 200 ms
  Timer3 = 3,  // the pattern's burst step
  Timer4 = 4,  // the pattern's motion step
};

// What the window's messages bring the run: its handlers.
class SaverInput {
 public:
  virtual ~SaverInput() = default;
  virtual void OnKeyDown(int key_code) = 0;
  virtual void OnMouseButtonDown() = 0;
  virtual void OnTimer(SaverTimer timer) = 0;
  // Something asks the window to close.
  virtual void OnCloseRequest() = 0;
  // The session is ending.
  virtual void OnSessionEnd() = 0;
};

// The window of a run: shown once, with the run's four timers, the message
// pump the frame loop yields to, and the clock the wind is timed by.
class SaverWindowPort {
 public:
  virtual ~SaverWindowPort() = default;
  virtual void ShowNormal() = 0;
  virtual void ArmTimer(SaverTimer timer, std::uint32_t interval_ms) = 0;
  virtual void DisableTimer(SaverTimer timer) = 0;
  virtual bool TimerEnabled(SaverTimer timer) const = 0;
  // Dispatches every pending message; the input they bring, timer ticks
  // included, goes to `input` before this returns.
  virtual void DispatchPending(SaverInput& input) = 0;
  // True when the next frame is due, which then starts. Otherwise waits
  // until it is due or a message arrives, whichever comes first, and
  // returns false: the messages are still pending.
  virtual bool WaitForNextFrame() = 0;
  virtual void Unload() = 0;
  // The millisecond tick count the wind is timed by.
  virtual std::uint32_t TickCount() = 0;
};

// How the frames reach the screen. The palette cannot change within a run:
// it is given once, before the first frame.
class SaverPresentation {
 public:
  virtual ~SaverPresentation() = default;
  virtual void SetPalette(const PaletteTable& PalLUT) = 0;
  // Presents the frame buffer through the palette.
  virtual void Present(const IndexImage& frame) = 0;
};

class SaverSystem {
 public:
  virtual ~SaverSystem() = default;
  virtual std::uint32_t SecondsSinceMidnight() = 0;
};

// The screen-saver machinery of Windows, which only the Windows front end
// has: exclusive full-screen presentation, the topmost window, the 95/98
// password check and the system's screen-saver state. A front end without
// it (the X hack, whose daemon stacks the window, locks the screen and
// keeps the state) gives the run none, and the run leaves these steps out.
class ScreenSaverServices {
 public:
  virtual ~ScreenSaverServices() = default;
  // DirectDraw on the saver window: exclusive full screen, surfaces, display depth.
  virtual void DDInit() = 0;
  // SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE).
  virtual void MakeTopmost() = 0;
  virtual bool IsWinNT() = 0;
  virtual void ShowCursor(bool show) = 0;
  // The 95/98 password prompt; true when the run may end.
  virtual bool VerifyScreenSavePwd() = 0;
  virtual void SetSaverRunning(bool running) = 0;
  // SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, 1, 0, 0).
  virtual void SetScreenSaveActive() = 0;
};

// Everything a run is handed at its construction.
struct SaverPorts {
  SaverWindowPort& window;
  SaverPresentation& presentation;
  SaverSystem& system;
  // Null in a front end without music (the X hack is silent, as
  // XScreenSaver's hacks are): the run plays none, whatever the settings say.
  MusicPlayer* music = nullptr;
  // Null where the front end has no such machinery.
  ScreenSaverServices* screen_saver = nullptr;
};

}  // namespace velkaro
