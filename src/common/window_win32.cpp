#include "common/window_win32.h"

#include <cstring>
#include <string>

#include "common/system_win32.h"
#include "common/text_cp932.h"
#include "common/text_win32.h"

namespace velkaro {
namespace {

std::wstring AsciiWide(const char* ascii) { return std::wstring(ascii, ascii + strlen(ascii)); }

}  // namespace

Window::~Window() {
  if (!window_) return;
  HWND window = window_;
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  window_ = nullptr;
  DestroyWindow(window);
}

bool Window::RegisterWindowClass(const ClassLook& look) {
  // The same fields in either character set's record.
  const auto filled = [&look](auto window_class, auto class_name) {
    window_class.style = look.style;
    window_class.lpfnWndProc = &Window::Procedure;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.hbrBackground = look.background;
    window_class.hCursor = look.cursor;
    window_class.hIcon = look.icon;
    window_class.lpszClassName = class_name;
    return window_class;
  };
  bool registered;
  if (look.captioned && HasUnicodeWindows()) {
    const std::wstring name = AsciiWide(look.name);  // class names are ASCII
    const WNDCLASSW window_class = filled(WNDCLASSW{}, name.c_str());
    registered = RegisterClassW(&window_class) != 0;
  } else {
    const WNDCLASSA window_class = filled(WNDCLASSA{}, look.name);
    registered = RegisterClassA(&window_class) != 0;
  }
  return registered || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool Window::Create(const char* class_name, DWORD ex_style, const char* title, DWORD style, int x,
                    int y, int width, int height, HWND parent, HMENU menu) {
  // window_ is set at WM_NCCREATE, before CreateWindowEx returns.
  return CreateWindowExA(ex_style, class_name, title, style, x, y, width, height, parent, menu,
                         GetModuleHandleA(nullptr), this) != nullptr;
}

bool Window::CreateCaptioned(const char* class_name, DWORD ex_style, std::string_view utf8_title,
                             DWORD style, int x, int y, int width, int height, HWND parent) {
  if (!HasUnicodeWindows())
    return Create(class_name, ex_style, ToCp932(utf8_title).c_str(), style, x, y, width, height,
                  parent);
  return CreateWindowExW(ex_style, AsciiWide(class_name).c_str(), WideText(utf8_title).c_str(),
                         style, x, y, width, height, parent, nullptr, GetModuleHandleW(nullptr),
                         this) != nullptr;
}

LRESULT Window::DefaultProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return IsWindowUnicode(window) ? DefWindowProcW(window, message, wparam, lparam)
                                 : DefWindowProcA(window, message, wparam, lparam);
}

LRESULT CALLBACK Window::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    // lpCreateParams sits at the same place in CREATESTRUCTW.
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    if (self) self->window_ = window;
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self) return DefaultProcedure(window, message, wparam, lparam);
  if (message != WM_NCDESTROY) return self->OnMessage(message, wparam, lparam);
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  const LRESULT result = self->OnMessage(message, wparam, lparam);
  self->window_ = nullptr;
  self->OnWindowGone();
  return result;
}

}  // namespace velkaro
