#pragma once
// Runs a copy of Velkaro.scr the way the screen-saver machinery does and
// watches what it does: whether it ends, how fast, and which top-level
// windows it shows meanwhile.
#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace velkaro::testing {

// The path of the Velkaro.scr under test, from the test's first argument.
std::string& SaverUnderTest();

// A folder of its own with a copy of the saver, so that each test has its
// own Velkaro.ini beside the executable.
class SaverFolder {
 public:
  SaverFolder();
  ~SaverFolder();
  SaverFolder(const SaverFolder&) = delete;
  SaverFolder& operator=(const SaverFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string executable() const { return path_ + "\\Velkaro.scr"; }
  std::string ini() const { return path_ + "\\Velkaro.ini"; }
  void WriteIni(const std::string& bytes) const;
  std::string ReadIni() const;

 private:
  std::string path_;
};

struct SaverRun {
  bool ended = false;        // within the time allowed
  DWORD exit_code = 0;
  DWORD milliseconds = 0;    // until it ended, or the time allowed
  std::vector<std::string> window_titles;  // top-level windows it showed (ANSI)
};

// Starts "Velkaro.scr <arguments>" and waits up to timeout_ms; a process that
// is still running then is ended.
SaverRun RunSaver(const SaverFolder& folder, const std::string& arguments, DWORD timeout_ms);

// A running copy of the saver that a test watches and drives.
class SaverProcess {
 public:
  SaverProcess(const SaverFolder& folder, const std::string& arguments);
  // An executable where it lies (an installed copy), run in its own folder.
  SaverProcess(const std::string& executable, const std::string& arguments);
  ~SaverProcess();  // ends the process if it still runs
  SaverProcess(const SaverProcess&) = delete;
  SaverProcess& operator=(const SaverProcess&) = delete;

  bool started() const { return process_.hProcess != nullptr; }
  DWORD process_id() const { return process_.dwProcessId; }
  // The visible top-level window of the process with this ANSI caption, once
  // it shows; null when none shows within timeout_ms.
  HWND WaitForWindow(const std::string& ansi_title, DWORD timeout_ms);
  // True when the process ended within timeout_ms.
  bool WaitForExit(DWORD timeout_ms);
  DWORD exit_code() const;
  // Ends the process now if it still runs.
  void Terminate();

 private:
  void Start(const std::string& executable, const std::string& arguments,
             const std::string& folder);

  PROCESS_INFORMATION process_{};
};

// Input as a user gives it, through the system's input queue.
void MoveMouseBy(int dx, int dy);
void ClickMouse();
void PressKey(WORD virtual_key);
// Presses the keys in order and releases them in the reverse order (Alt+G).
void PressKeys(std::initializer_list<WORD> virtual_keys);

// A top-level window with an ANSI caption, for the single-instance tests.
class TitledWindow {
 public:
  explicit TitledWindow(const std::string& ansi_title);
  ~TitledWindow();
  TitledWindow(const TitledWindow&) = delete;
  TitledWindow& operator=(const TitledWindow&) = delete;

 private:
  HWND window_ = nullptr;
};

}  // namespace velkaro::testing
