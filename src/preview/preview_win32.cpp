#include "preview/preview_win32.h"

#include <windows.h>

#include <memory>
#include <type_traits>

#include "common/resource_ids.h"
#include "common/window_data_win32.h"

namespace velkaro {
namespace {

constexpr char kFormClass[] = "Velkaro_R";
constexpr char kImageClass[] = "Velkaro_R_Img_Prev";
constexpr char kFormCaption[] = "Preview Window";

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using Bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;

// A memory DC with a bitmap selected into it, put back and freed at the end.
class SelectedBitmap {
 public:
  SelectedBitmap(HDC like, HBITMAP bitmap) : dc_(CreateCompatibleDC(like)) {
    if (dc_) old_ = SelectObject(dc_, bitmap);
  }
  ~SelectedBitmap() {
    if (!dc_) return;
    SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  SelectedBitmap(const SelectedBitmap&) = delete;
  SelectedBitmap& operator=(const SelectedBitmap&) = delete;
  HDC dc() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ old_ = nullptr;
};

// Img_Prev: paints the still over its whole client area. The still belongs
// to the form, whose children are destroyed before it.
void PaintStill(HWND image, HBITMAP still) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(image, &paint);
  RECT client;
  GetClientRect(image, &client);
  BITMAP info{};
  if (!still || !GetObjectA(still, sizeof info, &info)) {
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  } else {
    SelectedBitmap source(dc, still);
    if (client.right == info.bmWidth && client.bottom == info.bmHeight) {
      // The standard pane: the still exactly as stored.
      BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, source.dc(), 0, 0, SRCCOPY);
    } else {
      // Another pane size: averaged scaling where the system has it (the NT
      // family); the 95/98 family falls back to dropping or repeating
      // pixels, which still fills the pane.
      SetStretchBltMode(dc, HALFTONE);
      SetBrushOrgEx(dc, 0, 0, nullptr);
      StretchBlt(dc, 0, 0, client.right, client.bottom, source.dc(), 0, 0, info.bmWidth, info.bmHeight,
                 SRCCOPY);
    }
  }
  EndPaint(image, &paint);
}

LRESULT CALLBACK ImageProc(HWND image, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCCREATE:
      KeepCreationParameter(image, lparam);
      break;
    case WM_ERASEBKGND:
      return 1;  // the still covers everything
    case WM_PAINT:
      PaintStill(image, reinterpret_cast<HBITMAP>(GetWindowLongPtrA(image, GWLP_USERDATA)));
      return 0;
  }
  return DefWindowProcA(image, message, wparam, lparam);
}

// The form's state, owned by its window from WM_NCCREATE to WM_NCDESTROY.
struct PreviewForm {
  Bitmap still;
  HWND image = nullptr;
};

LRESULT CALLBACK FormProc(HWND form, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCCREATE:
      KeepCreationParameter(form, lparam);
      break;
    case WM_DESTROY:
      // The pane is gone (or closed the form): nothing is left to show, so
      // the process ends with its message loop.
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY: {
      std::unique_ptr<PreviewForm> owned(WindowData<PreviewForm>(form));
      SetWindowLongPtrA(form, GWLP_USERDATA, 0);
      break;
    }
  }
  return DefWindowProcA(form, message, wparam, lparam);
}

bool RegisterClasses() {
  static const bool registered = [] {
    WNDCLASSA form{};
    form.lpfnWndProc = FormProc;
    form.hInstance = GetModuleHandleA(nullptr);
    form.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    form.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    form.lpszClassName = kFormClass;
    WNDCLASSA image = form;
    image.lpfnWndProc = ImageProc;
    image.hbrBackground = nullptr;
    image.lpszClassName = kImageClass;
    return RegisterClassA(&form) != 0 && RegisterClassA(&image) != 0;
  }();
  return registered;
}

// The hidden, borderless form with its image, or null.
HWND CreateForm() {
  auto state = std::make_unique<PreviewForm>();
  state->still.reset(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr),
                                                     MAKEINTRESOURCEA(VELKARO_RES_PREVIEW_STILL),
                                                     IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
  PreviewForm& form_state = *state;
  HWND form = CreateWindowExA(0, kFormClass, kFormCaption, WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, nullptr,
                              nullptr, GetModuleHandleA(nullptr), state.get());
  if (!form) return nullptr;
  state.release();  // the window owns it now and frees it at WM_NCDESTROY
  form_state.image = CreateWindowExA(0, kImageClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, form, nullptr,
                                     GetModuleHandleA(nullptr), form_state.still.get());
  return form;
}

}  // namespace

bool StartPreviewWindow(std::optional<std::int32_t> parent_handle) {
  if (!parent_handle || *parent_handle == 0) return false;
  const HWND parent = WindowFromHandleNumber(*parent_handle);
  if (!IsWindow(parent) || !RegisterClasses()) return false;

  RECT pane{};
  GetWindowRect(parent, &pane);
  const int width = pane.right - pane.left;
  const int height = pane.bottom - pane.top;

  const HWND form = CreateForm();
  if (!form) return false;
  SetWindowLongA(form, GWL_STYLE, GetWindowLongA(form, GWL_STYLE) | WS_CHILD);
  SetParent(form, parent);
  if (GetAncestor(form, GA_PARENT) != parent) {
    // The pane went away meanwhile (or refused the form): a form left
    // without it would never be closed.
    DestroyWindow(form);
    return false;
  }
  MoveWindow(form, 0, 0, width, height, FALSE);
  auto* state = WindowData<PreviewForm>(form);
  MoveWindow(state->image, 0, 0, width, height, FALSE);
  ShowWindow(form, SW_SHOWNA);
  UpdateWindow(form);
  return true;
}

}  // namespace velkaro
