#include "preview/preview_win32.h"

#include <windows.h>

#include <memory>

#include "common/gdi_win32.h"
#include "common/newer_calls_win32.h"
#include "common/resource_ids.h"
#include "common/window_win32.h"

namespace velkaro {
namespace {

constexpr char kFormClass[] = "Velkaro_R";
constexpr char kImageClass[] = "Velkaro_R_Img_Prev";
constexpr char kFormCaption[] = "Preview Window";

// Img_Prev: paints the still over its whole client area. The still belongs
// to the form, whose children are destroyed before it.
class PreviewImage final : public Window {
 public:
  bool Create(HWND form, HBITMAP still) {
    static const bool registered =
        RegisterWindowClass({.name = kImageClass, .cursor = LoadCursorA(nullptr, IDC_ARROW)});
    still_ = still;
    return registered &&
           Window::Create(kImageClass, 0, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, form);
  }

 private:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
    if (message == WM_ERASEBKGND) return 1;  // the still covers everything
    if (message != WM_PAINT) return Window::OnMessage(message, wparam, lparam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(handle(), &paint);
    PaintStill(dc);
    EndPaint(handle(), &paint);
    return 0;
  }

  void PaintStill(HDC dc) const {
    RECT client;
    GetClientRect(handle(), &client);
    BITMAP info{};
    if (!still_ || !GetObjectA(still_, sizeof info, &info)) {
      FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      return;
    }
    const BitmapCanvas source(dc, still_);
    if (client.right == info.bmWidth && client.bottom == info.bmHeight) {
      // The standard pane: the still exactly as stored.
      BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, source.dc(), 0, 0, SRCCOPY);
      return;
    }
    // Another pane size: averaged scaling where the system has it (the NT
    // family); the 95/98 family falls back to dropping or repeating pixels,
    // which still fills the pane.
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, 0, 0, client.right, client.bottom, source.dc(), 0, 0, info.bmWidth,
               info.bmHeight, SRCCOPY);
  }

  HBITMAP still_ = nullptr;
};

// The hidden, borderless form with its image. It belongs to its window:
// when the pane destroys the form, the form frees itself.
class PreviewForm final : public Window {
 public:
  // The form, now owned by its window, or null when it cannot be made.
  static PreviewForm* Create() {
    static const bool registered =
        RegisterWindowClass({.name = kFormClass,
                             .background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)),
                             .cursor = LoadCursorA(nullptr, IDC_ARROW)});
    if (!registered) return nullptr;
    auto form = std::make_unique<PreviewForm>();
    form->still_.reset(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr),
                                                       MAKEINTRESOURCEA(VELKARO_RES_PREVIEW_STILL),
                                                       IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    if (!form->Window::Create(kFormClass, 0, kFormCaption, WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0,
                              nullptr))
      return nullptr;
    form->image_.Create(form->handle(), form->still_.get());
    form->owned_by_window_ = true;
    return form.release();  // freed in OnWindowGone
  }

  void FillPane(int width, int height) {
    MoveWindow(handle(), 0, 0, width, height, FALSE);
    MoveWindow(image_.handle(), 0, 0, width, height, FALSE);
  }

 private:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
    if (message != WM_DESTROY) return Window::OnMessage(message, wparam, lparam);
    // The pane is gone (or closed the form): nothing is left to show, so
    // the process ends with its message loop.
    PostQuitMessage(0);
    return 0;
  }
  void OnWindowGone() override {
    if (owned_by_window_) std::unique_ptr<PreviewForm> owned(this);
  }

  GdiBitmap still_;
  bool owned_by_window_ = false;
  PreviewImage image_;
};

}  // namespace

bool StartPreviewWindow(std::optional<std::int32_t> parent_handle) {
  if (!parent_handle || *parent_handle == 0) return false;
  const HWND parent = WindowFromHandleNumber(*parent_handle);
  if (!IsWindow(parent)) return false;

  RECT pane{};
  GetWindowRect(parent, &pane);
  PreviewForm* form = PreviewForm::Create();
  if (!form) return false;
  const HWND window = form->handle();
  SetWindowLongA(window, GWL_STYLE, GetWindowLongA(window, GWL_STYLE) | WS_CHILD);
  SetParent(window, parent);
  if (!IsDirectChild(window, parent)) {
    // The pane went away meanwhile (or refused the form): a form left
    // without it would never be closed.
    DestroyWindow(window);
    return false;
  }
  form->FillPane(pane.right - pane.left, pane.bottom - pane.top);
  ShowWindow(window, SW_SHOWNA);
  UpdateWindow(window);
  return true;
}

}  // namespace velkaro
