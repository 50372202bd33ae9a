#include "common/window_win32.h"

namespace velkaro {

Window::~Window() {
  if (!window_) return;
  HWND window = window_;
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  window_ = nullptr;
  DestroyWindow(window);
}

bool Window::RegisterWindowClass(const ClassLook& look) {
  WNDCLASSA window_class{};
  window_class.style = look.style;
  window_class.lpfnWndProc = &Window::Procedure;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.hbrBackground = look.background;
  window_class.hCursor = look.cursor;
  window_class.hIcon = look.icon;
  window_class.lpszClassName = look.name;
  return RegisterClassA(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool Window::Create(const char* class_name, DWORD ex_style, const char* title, DWORD style, int x,
                    int y, int width, int height, HWND parent, HMENU menu) {
  // window_ is set at WM_NCCREATE, before CreateWindowEx returns.
  return CreateWindowExA(ex_style, class_name, title, style, x, y, width, height, parent, menu,
                         GetModuleHandleA(nullptr), this) != nullptr;
}

LRESULT CALLBACK Window::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    if (self) self->window_ = window;
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self) return DefWindowProcA(window, message, wparam, lparam);
  if (message != WM_NCDESTROY) return self->OnMessage(message, wparam, lparam);
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  const LRESULT result = self->OnMessage(message, wparam, lparam);
  self->window_ = nullptr;
  self->OnWindowGone();
  return result;
}

}  // namespace velkaro
