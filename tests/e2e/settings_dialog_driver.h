#pragma once
// Drives the settings dialog of the real executable under Wine: starts it,
// finds its pieces by the rectangles the dialog itself is laid out with, and
// presses the mouse on them.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "settings_dialog/dialog_geometry.h"
#include "settings/window_titles.h"
#include "support/saver_process_win32.h"
#include "support/settings_file_bytes.h"

namespace velkaro::testing {

constexpr DWORD kShowMs = 20000;
constexpr DWORD kCloseMs = 15000;

// The file as the system's profile functions write it; Wine drops the space
// before each number.
inline std::string WrittenIni(int random, int pattern, int kind, int repeat, const std::string& file) {
  return "[Section]\r\n" + IniLine(kRandomKey, std::to_string(random)) +
         IniLine(kPatternKey, std::to_string(pattern)) +
         IniLine(kKindKey, std::to_string(kind)) + IniLine(kRepeatKey, std::to_string(repeat)) +
         IniLine(kFileKey, file);
}

inline void PressAt(POINT at, DWORD down, DWORD up) {
  SetCursorPos(at.x, at.y);
  Sleep(50);
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = down;
  inputs[1].mi.dwFlags = up;
  SendInput(2, inputs, sizeof inputs[0]);
  Sleep(300);  // let the dialog handle it before the next step
}

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

class SettingsDialogE2e : public ::testing::Test {
 protected:
  SettingsDialogE2e() = default;
  // The copy of the saver under another name, in a folder of that name.
  SettingsDialogE2e(std::wstring_view folder_name, std::wstring_view file_name)
      : folder_(folder_name, file_name) {}

  // Starts the dialog and waits for it; false when it did not show.
  bool Open() {
    process_.emplace(folder_, "/c");
    dialog_ = process_->WaitForWindow(Wide(kSettingsWindowTitle), kShowMs);
    if (!dialog_) return false;
    Sleep(1500);  // the opening zoom
    POINT origin{0, 0};
    ClientToScreen(dialog_, &origin);
    client_ = origin;
    return true;
  }
  // The screen point at the middle of rect, given in the background panel or
  // in one of the two panels in it.
  POINT At(const DialogRect& rect, const DialogRect& panel = {0, 0, 0, 0}) const {
    return {client_.x + panel.left + rect.left + rect.width / 2,
            client_.y + panel.top + rect.top + rect.height / 2};
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

  SaverFolder folder_;
  std::optional<SaverProcess> process_;
  HWND dialog_ = nullptr;
  POINT client_{};
};

}  // namespace velkaro::testing
