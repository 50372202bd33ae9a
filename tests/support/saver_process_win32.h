#pragma once
// Runs a copy of Velkaro.scr the way the screen-saver machinery does and
// watches what it does: whether it ends, how fast, and which top-level
// windows it shows meanwhile.
#include <windows.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "common/kernel_handle_win32.h"
#include "support/test_files_win32.h"

namespace velkaro::testing {

// The path of the Velkaro.scr under test, from the test's first argument.
std::string& SaverUnderTest();

// UTF-8 text as wide text, by the system's converter (not the program's own
// table, which the tests check).
std::wstring Wide(std::string_view utf8);

// A folder of its own with a copy of the saver, so that each test has its
// own Velkaro.ini beside the executable.
class SaverFolder {
 public:
  // folder_name, where given, is a folder inside the test's own one that
  // holds the copy, and file_name names the copy. The paths are ANSI, in the
  // system's code page, which must be able to hold both names.
  explicit SaverFolder(std::wstring_view folder_name = L"",
                       std::wstring_view file_name = L"Velkaro.scr");

  // False when a folder or the copy could not be made.
  bool made() const { return made_; }
  const std::string& path() const { return path_; }
  const std::string& executable() const { return executable_; }
  std::string ini() const { return path_ + "\\Velkaro.ini"; }
  void WriteIni(const std::string& bytes) const;
  std::string ReadIni() const;

 private:
  ScopedTempFolder base_{"e2e"};  // the test's own folder
  std::string path_;              // the folder of the copy: base_ or a folder in it
  std::string executable_;
  bool made_ = false;
};

// What one run of the program came to, as seen from outside it.
struct SaverOutcome {
  bool ended = false;  // within the time allowed
  DWORD exit_code = 0;
  DWORD milliseconds = 0;                   // until it ended, or the time allowed
  std::vector<std::wstring> window_titles;  // top-level windows it showed
};

// Starts "Velkaro.scr <arguments>" and waits up to timeout_ms; a process that
// is still running then is ended.
SaverOutcome RunSaver(const SaverFolder& folder, const std::string& arguments, DWORD timeout_ms);

// A running copy of the saver that a test watches and drives.
class SaverProcess {
 public:
  SaverProcess(const SaverFolder& folder, const std::string& arguments);
  // An executable where it lies (an installed copy), run in its own folder.
  SaverProcess(const std::string& executable, const std::string& arguments);
  ~SaverProcess();  // ends the process if it still runs
  SaverProcess(const SaverProcess&) = delete;
  SaverProcess& operator=(const SaverProcess&) = delete;

  bool started() const { return bool(process_); }
  DWORD process_id() const { return process_id_; }
  // The visible top-level window of the process with this caption, once it
  // shows; null when none shows within timeout_ms. Wide, so that a caption
  // is found as it reads, under every ANSI code page.
  HWND WaitForWindow(const std::wstring& title, DWORD timeout_ms);
  // True when the process ended within timeout_ms.
  bool WaitForExit(DWORD timeout_ms);
  DWORD exit_code() const;
  // Ends the process now if it still runs.
  void Terminate();

 private:
  void Start(const std::string& executable, const std::string& arguments,
             const std::string& folder);

  KernelHandle process_;
  KernelHandle thread_;
  DWORD process_id_ = 0;
};

// Input as a user gives it, through the system's input queue.
void MoveMouseBy(int dx, int dy);
void ClickMouse();
// A press and a release of a mouse button (MOUSEEVENTF_ flags).
void PressMouseButton(DWORD down, DWORD up);
void PressKey(WORD virtual_key);
// Presses the keys in order and releases them in the reverse order (Alt+G).
void PressKeys(std::initializer_list<WORD> virtual_keys);

// A top-level window with a (wide) caption, for the single-instance tests.
class TitledWindow {
 public:
  explicit TitledWindow(const std::wstring& title);
  ~TitledWindow();
  TitledWindow(const TitledWindow&) = delete;
  TitledWindow& operator=(const TitledWindow&) = delete;

 private:
  HWND window_ = nullptr;
};

}  // namespace velkaro::testing
