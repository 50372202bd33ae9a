#pragma once
// Drives the settings dialog of the real executable under Wine: starts it,
// finds its pieces by the rectangles the dialog itself is laid out with, and
// presses the mouse on them.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "settings_dialog/dialog_geometry.h"
#include "settings/window_titles.h"
#include "support/saver_process_win32.h"
#include "support/settings_file_bytes.h"
#include "support/test_files_win32.h"
#include "support/wait_win32.h"

namespace velkaro::testing {

constexpr DWORD kShowMs = 20000;
constexpr DWORD kCloseMs = 15000;

// The file as the system's profile functions write it; Wine drops the space
// before each number.
inline std::string WrittenIni(int random, int pattern, int kind, int repeat,
                              const std::string& file) {
  return "[Section]\r\n" + IniLine(kRandomKey, std::to_string(random)) +
         IniLine(kPatternKey, std::to_string(pattern)) + IniLine(kKindKey, std::to_string(kind)) +
         IniLine(kRepeatKey, std::to_string(repeat)) + IniLine(kFileKey, file);
}

// True once the thread of `window` takes its messages: a message sent to it
// is answered from its message loop, or from the loop of a window it has
// open in front of it.
inline bool AnswersMessages(HWND window, DWORD limit_ms) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, limit_ms, &result) != 0;
}

// The pointer at `at`, once the system has put it there.
inline void PutPointerAt(POINT at) {
  SetCursorPos(at.x, at.y);
  WaitUntil(
      [&] {
        POINT now{};
        return GetCursorPos(&now) && now.x == at.x && now.y == at.y;
      },
      1000, 10);
}

// The dialog runs in another process and gives no sign that it has taken a
// press, so the steps after input keep a fixed pause; the tests' checks
// that follow wait for what the press brings about.
inline void PressAt(POINT at, DWORD down, DWORD up) {
  PutPointerAt(at);
  PressMouseButton(down, up);
  Sleep(300);  // let the dialog handle it before the next step
}

// Two presses and releases at one place, the second a tenth of a second
// after the first: well within the system's double-click time.
inline void DoubleClickAt(POINT at) {
  PutPointerAt(at);
  PressMouseButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
  Sleep(100);  // the tenth of a second between the two clicks is what is given
  PressMouseButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
  Sleep(300);
}

// Two clicks at one place count as two only when the second comes after the
// system's double-click time: the pause is the point, no condition ends it.
inline void WaitPastDoubleClickTime() { Sleep(GetDoubleClickTime() + 200); }

struct ChildSearch {
  const char* class_name;
  HWND found = nullptr;
};

inline BOOL CALLBACK MatchChildClass(HWND child, LPARAM data) {
  auto* search = reinterpret_cast<ChildSearch*>(data);
  char name[64] = {};
  GetClassNameA(child, name, sizeof name);
  if (lstrcmpiA(name, search->class_name) != 0) return TRUE;
  search->found = child;
  return FALSE;
}

// The first window of this class among the children of parent, at any depth.
inline HWND FindChild(HWND parent, const char* class_name) {
  ChildSearch search{class_name};
  EnumChildWindows(parent, MatchChildClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

struct OtherWindowSearch {
  DWORD process_id;
  HWND known;
  std::vector<HWND>* found;
};

inline BOOL CALLBACK CollectOtherWindow(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<OtherWindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search.process_id && window != search.known && IsWindowVisible(window) &&
      std::find(search.found->begin(), search.found->end(), window) == search.found->end())
    search.found->push_back(window);
  return TRUE;
}

// Adds to found the visible top-level windows of the process other than
// known that are not in it yet.
inline void CollectOtherWindows(DWORD process_id, HWND known, std::vector<HWND>& found) {
  OtherWindowSearch search{process_id, known, &found};
  EnumWindows(CollectOtherWindow, reinterpret_cast<LPARAM>(&search));
}

// The settings folder of the user the tests run as, in their application
// data, and the file in it.
inline std::string UserSettingsFolder() {
  char folder[MAX_PATH + 1] = {};
  SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, folder);
  return std::string(folder) + "\\Velkaro";
}
inline std::string UserSettingsFile() { return UserSettingsFolder() + "\\Velkaro.ini"; }

// No settings of the user's own, before a test and after it, however it ends.
class NoUserSettings {
 public:
  NoUserSettings() { Remove(); }
  ~NoUserSettings() { Remove(); }
  NoUserSettings(const NoUserSettings&) = delete;
  NoUserSettings& operator=(const NoUserSettings&) = delete;

 private:
  static void Remove() {
    DeleteFileA(UserSettingsFile().c_str());
    RemoveDirectoryA(UserSettingsFolder().c_str());
    DeleteFileA(UserSettingsFolder().c_str());  // where a test put a file in its way
  }
};

// The dialog's caption, Velkaroの設定, and a window's caption as wide text.
inline const std::wstring kJapaneseCaption = L"Velkaro\u306E\u8A2D\u5B9A";
inline std::wstring Caption(HWND window) {
  wchar_t caption[64] = {};
  GetWindowTextW(window, caption, 64);
  return caption;
}

class SettingsDialogE2e : public ::testing::Test {
 protected:
  SettingsDialogE2e() = default;
  // The copy of the saver under another name, in a folder of that name.
  SettingsDialogE2e(std::wstring_view folder_name, std::wstring_view file_name)
      : folder_(folder_name, file_name) {}

  // Starts the dialog and waits for it; false when it did not show.
  bool Open() {
    process_.emplace(folder_, "/c");
    return WaitUntilShown();
  }
  // The dialog of a copy where it lies, such as an installed one.
  bool OpenInstalled(const std::string& executable) {
    process_.emplace(executable, "/c");
    return WaitUntilShown();
  }
  bool WaitUntilShown() {
    dialog_ = process_->WaitForWindow(dialog_caption_, kShowMs);
    if (!dialog_) return false;
    // The window shows at the end of the opening zoom; what it paints then
    // reaches the screen without a sign to wait for, so a fixed pause.
    Sleep(1500);
    POINT origin{0, 0};
    ClientToScreen(dialog_, &origin);
    client_ = origin;
    return true;
  }
  // The screen point at the middle of rect, given in the background panel or
  // in one of the two panels in it.
  POINT At(const Rect& rect, const Rect& panel = {0, 0, 0, 0}) const {
    return {client_.x + panel.left + rect.left + rect.width() / 2,
            client_.y + panel.top + rect.top + rect.height() / 2};
  }
  void Click(POINT at) { PressAt(at, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); }
  void ClickThumbnail(int i) { Click(At(ThumbnailRect(i), kPatternPanel)); }
  void ClickRandomLabel() { Click(At(kRandomLabelRect, kPatternPanel)); }
  void PressMusicKind(int kind, DWORD down, DWORD up) {
    PressAt(At(MusicKindMarkRect(kind), kMusicPanel), down, up);
  }
  void ClickSetting() { Click(At(kSaveButtonRect)); }
  void ClickCancel() { Click(At(kCancelButtonRect)); }
  bool Closes() { return process_->WaitForExit(kCloseMs); }
  // Opens the file chooser with "..."; null when it did not show. It is
  // found by its title.
  HWND OpenChooser() {
    Click(At(kFileButtonRect, kMusicPanel));
    return process_->WaitForWindow(chooser_caption_, kShowMs);
  }
  // Names path in the open chooser and takes it; false when it has no box
  // for the name.
  bool TakeFile(HWND chooser, const std::wstring& path) {
    HWND name = FindChild(chooser, "Edit");
    if (!name) return false;
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageW(chooser, WM_COMMAND, IDOK, 0);
    // The dialog takes the file once the chooser has closed.
    WaitUntil([&] { return !IsWindow(chooser); }, kCloseMs);
    AnswersMessages(dialog_, kShowMs);
    return true;
  }
  // Opens the file chooser, names path in it and takes it; false when the
  // chooser did not show.
  bool ChooseFile(const std::wstring& path) {
    const HWND chooser = OpenChooser();
    return chooser && TakeFile(chooser, path);
  }

  // The captions the dialog and its file chooser are found by: as they read
  // under every code page, where the windows carry wide text.
  std::wstring dialog_caption_ = Wide(kSettingsWindowTitle);
  std::wstring chooser_caption_ = Wide("ﾌｧｲﾙを開く");
  SaverFolder folder_;
  std::optional<SaverProcess> process_;
  HWND dialog_ = nullptr;
  POINT client_{};
};

}  // namespace velkaro::testing
