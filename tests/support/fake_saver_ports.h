#pragma once
// The saver run's seams in memory: a window (with its presentation) whose
// message pump is a script, a system that says what it was asked, and a
// password library with a fixed answer. The window and the system may share
// one log of everything the run asked of them, in order.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "saver/saver_ports.h"
#include "saver/saver_run.h"

namespace velkaro::testing {

using SaverLog = std::vector<std::string>;

class FakeSaverWindow : public SaverWindowPort, public SaverPresentation {
 public:
  FakeSaverWindow() = default;
  explicit FakeSaverWindow(SaverLog& log) : log_(&log) {}

  void ShowNormal() override { Note("show"); }
  void ArmTimer(SaverTimer timer, std::uint32_t interval_ms) override {
    Note("arm " + Name(timer) + " " + std::to_string(interval_ms));
    enabled_[timer] = true;
  }
  void DisableTimer(SaverTimer timer) override {
    Note("disable " + Name(timer));
    enabled_[timer] = false;
  }
  bool TimerEnabled(SaverTimer timer) const override {
    const auto it = enabled_.find(timer);
    return it != enabled_.end() && it->second;
  }
  void SetPalette(const PaletteTable&) override {}
  void Present(const IndexImage&) override { ++frames_presented; }
  // Each yield runs the next scripted handler, as if its message had been
  // pending, and once the script is done on_idle, which must end the run
  // sooner or later. The next frame is always due at once.
  void DispatchPending(SaverInput&) override {
    ++yields;
    if (next_action < script.size())
      script[next_action++]();
    else if (on_idle)
      on_idle();
  }
  bool WaitForNextFrame() override { return true; }
  void Unload() override {
    Note("unload");
    unloaded = true;
  }
  std::uint32_t TickCount() override { return tick += 16; }

  static std::string Name(SaverTimer timer) { return "Timer" + std::to_string(int(timer)); }

  std::vector<std::function<void()>> script;
  std::function<void()> on_idle;
  std::size_t next_action = 0;
  int frames_presented = 0;
  int yields = 0;
  bool unloaded = false;
  std::uint32_t tick = 0;

 private:
  void Note(std::string entry) {
    if (log_) log_->push_back(std::move(entry));
  }
  SaverLog* log_ = nullptr;
  std::map<SaverTimer, bool> enabled_;
};

// The 95/98 password check's library: present or not, with the function or
// without, and a fixed answer.
class FakePasswordLibrary : public PasswordLibrary {
 public:
  bool Load() override { return has_library; }
  bool HasVerifyFunction() override { return has_function; }
  bool Verify() override {
    ++prompts;
    return answer;
  }
  bool has_library = true;
  bool has_function = true;
  bool answer = false;
  int prompts = 0;
};

// The time of day and Windows' screen-saver machinery, the display's
// DirectDraw and the topmost window included.
class FakeSaverSystem : public SaverSystem, public ScreenSaverServices {
 public:
  FakeSaverSystem() = default;
  explicit FakeSaverSystem(SaverLog& log) : log_(&log) {}

  void DDInit() override { Note("DDInit"); }
  void MakeTopmost() override { Note("topmost"); }
  bool IsWinNT() override { return nt; }
  void ShowCursor(bool show) override {
    Note(show ? "show cursor" : "hide cursor");
    cursor_count += show ? 1 : -1;
  }
  // Through password_library when one is set, else password_accepted.
  bool VerifyScreenSavePwd() override {
    Note("password prompt");
    return password_library ? VerifyScreenSavePwdThrough(*password_library) : password_accepted;
  }
  void SetSaverRunning(bool running) override {
    Note(running ? "saver running" : "saver stopped");
    saver_running = running;
  }
  void SetScreenSaveActive() override { Note("screen saver on"); }
  std::uint32_t SecondsSinceMidnight() override { return seconds_since_midnight; }

  bool nt = true;
  bool password_accepted = true;
  PasswordLibrary* password_library = nullptr;
  std::uint32_t seconds_since_midnight = 3600;
  int cursor_count = -1;  // hidden by the start routine
  bool saver_running = true;

 private:
  void Note(std::string entry) {
    if (log_) log_->push_back(std::move(entry));
  }
  SaverLog* log_ = nullptr;
};

// The ports of a run on these fakes, with Windows' machinery.
inline SaverPorts PortsOf(FakeSaverWindow& window, MusicPlayer& music, FakeSaverSystem& system) {
  return {window, window, system, &music, &system};
}

}  // namespace velkaro::testing
