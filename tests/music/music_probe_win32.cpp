// A small program that plays the background music as the saver window does,
// for the end-to-end music tests: the music starts, Timer1 (1000 ms) runs the
// MP3 check and Timer2 (200 ms) the CD check in a message loop, the music
// ends after a while, and the program stays on, silent, before it exits.
//
//   velkaro_music_probe mp3 FILE PLAY_MS QUIET_MS
//   velkaro_music_probe wav FILE PLAY_MS QUIET_MS
//   velkaro_music_probe cd REPEAT_TRACK PLAY_MS QUIET_MS
//
// The program never ends the music of its own accord otherwise: it ends
// after PLAY_MS + QUIET_MS.
//
// It prints one line per event with the milliseconds since the music
// started, and every MCI command with its result, for the driver script.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "music/mci_port_win32.h"
#include "music/music_player.h"

namespace velkaro {
namespace {

DWORD g_start_tick = 0;

void Log(const char* format, const std::string& text = "", long value = 0) {
  std::printf("%6lu ", static_cast<unsigned long>(GetTickCount() - g_start_tick));
  std::printf(format, text.c_str(), value);
  std::printf("\n");
  std::fflush(stdout);
}

// Shows what the system's MCI layer answers, which is what the tests read.
class LoggingMciPort : public MciPort {
 public:
  std::uint32_t SendString(const char* command, char* reply, std::uint32_t reply_length) override {
    const std::uint32_t code = real_.SendString(command, reply, reply_length);
    std::string line = std::string(command) + " -> " + std::to_string(code);
    if (code == 0 && reply_length) line += " \"" + std::string(reply) + "\"";
    Log("mci %s", line);
    return code;
  }
  bool GetErrorString(std::uint32_t code, char* buffer, std::uint32_t length) override {
    const bool known = real_.GetErrorString(code, buffer, length);
    Log("mci error text %s", std::to_string(code) + ": " + (known ? buffer : "(none)"));
    return known;
  }

 private:
  Win32MciPort real_;
};

enum TimerId : UINT_PTR { kTimer1 = 1, kTimer2 = 2, kEndOfMusic = 10, kExit = 11, kArrows = 12 };

class ProbeWindow : public MusicTimers {
 public:
  ProbeWindow(const Settings& settings, DWORD play_ms, DWORD quiet_ms)
      : settings_(settings), play_ms_(play_ms), quiet_ms_(quiet_ms) {}

  int Run() {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = &ProbeWindow::WindowProc;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = "VelkaroMusicProbe";
    RegisterClassA(&window_class);
    hwnd_ = CreateWindowExA(0, window_class.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            window_class.hInstance, nullptr);
    if (!hwnd_) return 2;
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

    g_start_tick = GetTickCount();
    Log("start music%s");
    StartMusic(settings_, player_, *this);
    Log("started%s");
    SetTimer(hwnd_, kEndOfMusic, play_ms_, nullptr);
    if (settings_.BGM_Kind == 1) SetTimer(hwnd_, kArrows, 700, nullptr);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Log("exit%s");
    return 0;
  }

  void EnableMp3Check() override { SetTimer(hwnd_, kTimer1, kMp3CheckIntervalMs, nullptr); }
  void EnableCdCheck() override {
    SetTimer(hwnd_, kTimer2, kCdCheckIntervalMs, nullptr);
    cd_check_ = true;
  }
  void DisableCdCheck() override {
    KillTimer(hwnd_, kTimer2);
    cd_check_ = false;
  }
  bool CdCheckEnabled() const override { return cd_check_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<ProbeWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self && message == WM_TIMER) {
      self->OnTimer(wparam);
      return 0;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
  }

  void OnTimer(UINT_PTR id) {
    switch (id) {
      case kTimer1:
        Log("Timer1: mp3 check%s");
        player_.Mp3RepeatCheck();
        break;
      case kTimer2:
        OnCdCheckTimer(player_, *this);
        Log("Timer2: cd check, CdPollActive %s", player_.CdPollActive() ? "on" : "off");
        break;
      case kArrows:
        KillTimer(hwnd_, kArrows);
        Log("arrow keys%s");
        player_.CdNextTrack();
        player_.CdPrevTrack();
        break;
      case kEndOfMusic:
        KillTimer(hwnd_, kEndOfMusic);
        Log("end music%s");
        EndMusic(settings_, player_, *this);
        Log("ended%s");
        // Timer1 goes with the saver's window. Here the window stays on, and
        // its checks against the closed device must keep the quiet quiet.
        SetTimer(hwnd_, kExit, quiet_ms_, nullptr);
        break;
      case kExit:
        DestroyWindow(hwnd_);
        PostQuitMessage(0);
        break;
    }
  }

  const Settings& settings_;
  DWORD play_ms_, quiet_ms_;
  LoggingMciPort mci_;
  Win32SoundPort sound_;
  MusicPlayer player_{mci_, sound_, settings_};
  HWND hwnd_ = nullptr;
  bool cd_check_ = false;
};

}  // namespace
}  // namespace velkaro

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: %s mp3|wav|cd FILE|REPEAT_TRACK PLAY_MS QUIET_MS\n", argv[0]);
    return 2;
  }
  const std::string kind = argv[1];
  velkaro::Settings settings;
  if (kind == "cd") {
    settings.BGM_Kind = 1;
    settings.BGM_RepeatTrack = static_cast<std::int16_t>(std::atoi(argv[2]));
  } else {
    settings.BGM_Kind = 2;
    settings.BGM_File = argv[2];
  }
  velkaro::ProbeWindow window(settings, std::strtoul(argv[3], nullptr, 10),
                              std::strtoul(argv[4], nullptr, 10));
  return window.Run();
}
