#pragma once
// A window's own object, kept in its user data: windows of this program get
// it as the creation parameter of CreateWindowEx and their procedures find
// it again from the handle.
#include <windows.h>

#include <cstdint>

namespace velkaro {

// At WM_NCCREATE (the first message that carries the creation parameter):
// keeps that parameter as the window's user data.
inline void KeepCreationParameter(HWND window, LPARAM nccreate_lparam) {
  const auto* create = reinterpret_cast<const CREATESTRUCTA*>(nccreate_lparam);
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
}

// The object kept as the window's user data; null before WM_NCCREATE.
template <typename T>
T* WindowData(HWND window) {
  return reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// The window that a 32-bit handle number names, as the screen-saver command
// line gives it: on 64-bit Windows a handle's upper half is the sign
// extension of its lower one.
inline HWND WindowFromHandleNumber(std::int32_t value) {
  return reinterpret_cast<HWND>(static_cast<std::intptr_t>(value));
}

}  // namespace velkaro
