#pragma once
// The one way a window of this program reaches its object. A derived class
// registers its window class once (RegisterWindowClass, from a function-local
// static) and creates its window with Create, passing itself; the shared
// procedure binds the object to the window at WM_NCCREATE, the first message
// that carries it, forwards every message to OnMessage, and unbinds at
// WM_NCDESTROY, after which OnWindowGone runs and the object hears nothing
// more. Destroying the object destroys a window still open, unbound first,
// so no message reaches a half-destroyed object.
#include <windows.h>

#include <cstdint>
#include <string_view>

namespace velkaro {

// The window that a 32-bit handle number names, as the screen-saver command
// line gives it: on 64-bit Windows a handle's upper half is the sign
// extension of its lower one.
inline HWND WindowFromHandleNumber(std::int32_t value) {
  return reinterpret_cast<HWND>(static_cast<std::intptr_t>(value));
}

class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // The window, or null before it was created and after it was destroyed.
  HWND handle() const { return window_; }

 protected:
  struct ClassLook {
    const char* name = nullptr;
    UINT style = 0;
    HBRUSH background = nullptr;
    HCURSOR cursor = nullptr;
    HICON icon = nullptr;
    // For the windows of CreateCaptioned.
    bool captioned = false;
  };
  // Registers a class whose procedure is the shared one; true when it is
  // (or already was) registered.
  static bool RegisterWindowClass(const ClassLook& look);

  bool Create(const char* class_name, DWORD ex_style, const char* title, DWORD style, int x, int y,
              int width, int height, HWND parent, HMENU menu = nullptr);
  // A window of a captioned class whose caption the system draws, from the
  // program's own text. Where the system keeps windows' texts as UTF-16 (the
  // NT family) it is a Unicode window with the caption as wide text, which
  // reads the same under every ANSI code page: an ANSI window would turn
  // any caption through the system's ANSI code page. The 95/98 family has
  // ANSI windows only and gets the caption's code page 932 bytes.
  bool CreateCaptioned(const char* class_name, DWORD ex_style, std::string_view utf8_title,
                       DWORD style, int x, int y, int width, int height, HWND parent);

  // The window's messages; the default handling is the system's.
  virtual LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    return DefaultProcedure(window_, message, wparam, lparam);
  }
  // The window has been destroyed; the object may now free itself where the
  // window owned it.
  virtual void OnWindowGone() {}

 private:
  // The system's handling, in the character set the window was made with.
  static LRESULT DefaultProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  HWND window_ = nullptr;
};

}  // namespace velkaro
