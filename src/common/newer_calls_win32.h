#pragma once
// Calls that the oldest systems the program runs on lack, looked up when
// they are made, each with the fallback it needs there. Imported, any one of
// them would keep Velkaro.scr from starting at all on Windows 95 or NT 4:
// the loader refuses an executable with a missing entry point before the
// program's first line runs.
#include <windows.h>

#include <span>

namespace velkaro {

// The named function of a system library that the program has loaded
// already (user32.dll and kernel32.dll, which every Win32 program has, or
// one it imports from, such as comdlg32.dll), or null where this system
// predates it.
template <typename Function>
Function LoadedSystemFunction(const char* module, const char* name) {
  const HMODULE loaded = GetModuleHandleA(module);
  if (!loaded) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(loaded, name)));
}

// GetAncestor (Windows 98 and 2000 on).
using GetAncestorFunction = HWND(WINAPI*)(HWND, UINT);
// SendInput (Windows 98 and NT 4 with Service Pack 3 on).
using SendInputFunction = UINT(WINAPI*)(UINT, LPINPUT, int);
// MsgWaitForMultipleObjectsEx (Windows 98 and 2000 on).
using MsgWaitExFunction = DWORD(WINAPI*)(DWORD, const HANDLE*, DWORD, DWORD, DWORD);

// True when `window` is one of `parent`'s own child windows (a grandchild
// is not): GetAncestor(GA_PARENT) where the system has it, else a walk
// through the parent's list of children, which holds the window whatever its
// style. (GetParent and the GWLP_HWNDPARENT word give the owner instead of
// the parent for a window that is WS_POPUP as well as WS_CHILD.)
bool IsDirectChild(HWND window, HWND parent);
bool IsDirectChild(HWND window, HWND parent, GetAncestorFunction get_ancestor);

// One press or release of a virtual key.
struct KeyStroke {
  WORD virtual_key = 0;
  bool release = false;
};

// Puts the strokes into the system's input stream, as if typed: through one
// SendInput where the system has it, else one keybd_event each.
void SendKeyStrokes(std::span<const KeyStroke> strokes);
void SendKeyStrokes(std::span<const KeyStroke> strokes, SendInputFunction send_input);

// Waits at most timeout_ms for a message to arrive in this thread's queue.
// MsgWaitForMultipleObjectsEx also wakes for input that is already queued
// but was seen by an earlier peek; MsgWaitForMultipleObjects, the fallback,
// wakes only for new messages, which is the same for a caller that empties
// the queue before it waits.
void WaitForMessage(DWORD timeout_ms);
void WaitForMessage(DWORD timeout_ms, MsgWaitExFunction wait_ex);

}  // namespace velkaro
