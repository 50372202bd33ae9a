#include "common/newer_calls_win32.h"

#include <vector>

namespace velkaro {
namespace {

WORD ScanCode(WORD virtual_key) {
  return static_cast<WORD>(MapVirtualKeyA(virtual_key, 0 /* MAPVK_VK_TO_VSC */));
}

INPUT KeyInput(const KeyStroke& stroke) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = stroke.virtual_key;
  input.ki.wScan = ScanCode(stroke.virtual_key);
  input.ki.dwFlags = stroke.release ? KEYEVENTF_KEYUP : 0;
  return input;
}

}  // namespace

bool IsDirectChild(HWND window, HWND parent) {
  static const auto get_ancestor =
      LoadedSystemFunction<GetAncestorFunction>("user32.dll", "GetAncestor");
  return IsDirectChild(window, parent, get_ancestor);
}

bool IsDirectChild(HWND window, HWND parent, GetAncestorFunction get_ancestor) {
  if (!window || !parent) return false;
  if (get_ancestor) return get_ancestor(window, GA_PARENT) == parent;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (child == window) return true;
  }
  return false;
}

void SendKeyStrokes(std::span<const KeyStroke> strokes) {
  static const auto send_input = LoadedSystemFunction<SendInputFunction>("user32.dll", "SendInput");
  SendKeyStrokes(strokes, send_input);
}

void SendKeyStrokes(std::span<const KeyStroke> strokes, SendInputFunction send_input) {
  if (send_input) {
    // One call, so that no stroke of another source can come between them.
    std::vector<INPUT> inputs;
    for (const KeyStroke& stroke : strokes) inputs.push_back(KeyInput(stroke));
    send_input(UINT(inputs.size()), inputs.data(), int(sizeof(INPUT)));
    return;
  }
  for (const KeyStroke& stroke : strokes) {
    keybd_event(BYTE(stroke.virtual_key), BYTE(ScanCode(stroke.virtual_key)),
                stroke.release ? KEYEVENTF_KEYUP : 0, 0);
  }
}

void WaitForMessage(DWORD timeout_ms) {
  static const auto wait_ex =
      LoadedSystemFunction<MsgWaitExFunction>("user32.dll", "MsgWaitForMultipleObjectsEx");
  WaitForMessage(timeout_ms, wait_ex);
}

void WaitForMessage(DWORD timeout_ms, MsgWaitExFunction wait_ex) {
  if (wait_ex) {
    wait_ex(0, nullptr, timeout_ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  } else {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, timeout_ms, QS_ALLINPUT);
  }
}

}  // namespace velkaro
