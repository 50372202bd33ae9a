#include "controls/button_window_win32.h"

#include "common/text_cp932.h"
#include "controls/button_colors.h"
#include "controls/button_geometry.h"
#include "controls/button_input_win32.h"
#include "controls/button_layout.h"
#include "controls/button_look.h"

namespace velkaro {
namespace {

GdiRegion RegionOf(const ShapeRegion& shape) {
  GdiRegion region;
  const Rect& b = shape.bounds;
  switch (shape.base) {
    case ShapeRegion::Base::Rectangle:
      region.reset(CreateRectRgn(b.left, b.top, b.right, b.bottom));
      break;
    case ShapeRegion::Base::Ellipse:
      region.reset(CreateEllipticRgn(b.left, b.top, b.right, b.bottom));
      break;
    case ShapeRegion::Base::Polygon: {
      POINT points[4];
      for (int i = 0; i < 4; ++i)
        points[i] = {shape.polygon[std::size_t(i)].x, shape.polygon[std::size_t(i)].y};
      region.reset(CreatePolygonRgn(points, 4, WINDING));
      break;
    }
  }
  for (const Point& p : shape.cut_pixels) {
    GdiRegion cut(CreateRectRgn(p.x, p.y, p.x + 1, p.y + 1));
    CombineRgn(region.get(), region.get(), cut.get(), RGN_DIFF);
  }
  for (const auto& t : shape.cut_triangles) {
    POINT points[3] = {{t[0].x, t[0].y}, {t[1].x, t[1].y}, {t[2].x, t[2].y}};
    GdiRegion cut(CreatePolygonRgn(points, 3, WINDING));
    CombineRgn(region.get(), region.get(), cut.get(), RGN_DIFF);
  }
  return region;
}

// The system's pointer for each standard choice; null for the default,
// which leaves the class's arrow. The icon pointer and the size pointer of
// older systems have no pointer of their own on current ones, which show
// the arrow and the four-way size pointer for them.
HCURSOR StandardPointer(MousePointerKind pointer) {
  const char* id = nullptr;
  switch (pointer) {
    case MousePointerKind::Arrow: id = IDC_ARROW; break;
    case MousePointerKind::Cross: id = IDC_CROSS; break;
    case MousePointerKind::IBeam: id = IDC_IBEAM; break;
    case MousePointerKind::Icon: id = IDC_ARROW; break;
    case MousePointerKind::Size: id = IDC_SIZEALL; break;
    case MousePointerKind::SizeNeSw: id = IDC_SIZENESW; break;
    case MousePointerKind::SizeNs: id = IDC_SIZENS; break;
    case MousePointerKind::SizeNwSe: id = IDC_SIZENWSE; break;
    case MousePointerKind::SizeWe: id = IDC_SIZEWE; break;
    case MousePointerKind::UpArrow: id = IDC_UPARROW; break;
    case MousePointerKind::Hourglass: id = IDC_WAIT; break;
    case MousePointerKind::NoDrop: id = IDC_NO; break;
    case MousePointerKind::ArrowHourglass: id = IDC_APPSTARTING; break;
    case MousePointerKind::ArrowQuestion: id = IDC_HELP; break;
    case MousePointerKind::SizeAll: id = IDC_SIZEALL; break;
    case MousePointerKind::Default:
    case MousePointerKind::Custom: break;
  }
  return id ? LoadCursorA(nullptr, id) : nullptr;
}

}  // namespace

ButtonWindow::ButtonWindow(const AmbientValues& ambient) : control_(ambient, system_colors_) {}

std::unique_ptr<ButtonWindow> ButtonWindow::Create(HWND parent, int id, const RECT& rect,
                                                   const AmbientValues& ambient) {
  // CS_DBLCLKS: double clicks arrive as messages.
  static const bool registered = RegisterWindowClass(
      {.name = kClassName, .style = CS_DBLCLKS, .cursor = LoadCursorA(nullptr, IDC_ARROW)});
  if (!registered) return nullptr;
  std::unique_ptr<ButtonWindow> button(new ButtonWindow(ambient));
  if (!button->Window::Create(kClassName, 0, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect.left,
                              rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                              HMENU(INT_PTR(id))))
    return nullptr;
  {
    const WindowDc screen(button->handle());
    button->image_ = std::make_unique<OffscreenImage>(screen.get());
  }
  ButtonControl& control = button->control_;
  control.SetView(button.get());
  button->PrepareDrawingResources(DrawingTopic::Font);
  button->PrepareDrawingResources(DrawingTopic::BackColor);
  control.OnShow();
  control.OnResize();
  return button;
}

ButtonWindow::~ButtonWindow() {
  control_.SetView(nullptr);
  // The window goes while this object is whole: its input hears WM_DESTROY.
  if (handle()) DestroyWindow(handle());
}

LRESULT ButtonWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  const std::optional<LRESULT> answered =
      input_ ? input_->HandleMessage(message, wparam, lparam) : std::nullopt;
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(handle(), &paint);
    CopyOffscreenToWindow(dc);
    EndPaint(handle(), &paint);
    return 0;
  }
  if (answered) return *answered;
  switch (message) {
    case WM_ERASEBKGND: return 1;  // the copy covers every pixel
    case WM_SIZE:
      if (!adjusting_width_ && image_) control_.OnResize();
      break;
    case WM_SETCURSOR:
      if (custom_cursor_ && LOWORD(lparam) == HTCLIENT) {
        SetCursor(custom_cursor_);
        return TRUE;
      }
      break;
    default: break;
  }
  return Window::OnMessage(message, wparam, lparam);
}

SIZE ButtonWindow::ClientSize() const {
  RECT client{};
  GetClientRect(handle(), &client);
  return {client.right, client.bottom};
}

void ButtonWindow::Redraw(bool rebuild) {
  if (!image_ || !handle()) return;
  const SIZE size = ClientSize();
  ButtonLook look = LookOf(control_, size.cx, size.cy);
  look.screen_width = GetSystemMetrics(SM_CXSCREEN);
  look.screen_height = GetSystemMetrics(SM_CYSCREEN);
  const UsableExtent extent = UsableExtentOf(look);
  const Point shift = PressedShift(look);
  auto shifted = [&](Rect r) {
    return Rect{r.left + shift.x, r.top + shift.y, r.right + shift.x, r.bottom + shift.y};
  };
  const Rect caption = shifted(look.layout.caption);
  const Rect image_rect = shifted(look.layout.image);
  const Rect clip = ShapeClipEllipse(look);
  if (rebuild) {
    const FacePlan face = PlanFace(look);
    Replay(*image_, face.ops, clip);
    face_used_ = face.face_used;
    const bool is_shifted = shift.x != 0 || shift.y != 0;
    if (auto target = ImageTarget(look, extent.u, extent.p, image_rect, is_shifted))
      DrawPictureLayer(image_->Dc(), control_.Picture(), *target, look.enabled);
    Replay(*image_, PlanEdges(look), clip);
  }
  if (!look.caption.empty())
    DrawCaptionLayer(image_->Dc(), look.caption, look.caption_align, caption,
                     PlanCaption(look, face_used_));
  const WindowDc dc(handle());
  CopyOffscreenToWindow(dc.get());
}

void ButtonWindow::CopyOffscreenToWindow(HDC dc) const {
  if (!image_) return;
  BitBlt(dc, 0, 0, image_->Width(), image_->Height(), image_->Dc(), 0, 0, SRCCOPY);
}

void ButtonWindow::BuildShapeRegion() {
  if (!handle() || !image_) return;
  image_->DropShapeClip();
  SIZE size = ClientSize();
  const ButtonShapeKind shape = control_.ButtonShape();
  if (IsSlanted(shape)) {
    const std::int32_t wanted = WidthForSlant(size.cx, size.cy);
    if (wanted != size.cx) {
      // Widening the window sends WM_SIZE; the resize in progress goes on
      // with the new width instead of starting another.
      RECT outer{};
      GetWindowRect(handle(), &outer);
      adjusting_width_ = true;
      SetWindowPos(handle(), nullptr, 0, 0, outer.right - outer.left + (wanted - size.cx),
                   outer.bottom - outer.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      adjusting_width_ = false;
      size = ClientSize();
      RecreateOffscreenImage();
    }
  }
  const ShapeRegion region =
      ShapeRegionOf(shape, control_.ButtonStyle(), control_.Enabled(), size.cx, size.cy);
  ButtonLayout layout = control_.Layout();
  layout.left_slant_offset = region.left_slant_offset;
  layout.right_slant_position = region.right_slant_position;
  control_.SetLayout(layout);
  // The system owns the region once it is the window's.
  SetWindowRgn(handle(), RegionOf(region).release(), TRUE);
}

void ButtonWindow::LayoutContent() {
  if (!handle() || !image_) return;
  const SIZE size = ClientSize();
  const Win32TextMeasurer measurer(image_->Dc());
  control_.SetLayout(velkaro::LayoutContent(LookOf(control_, size.cx, size.cy), measurer));
  ShowCaptionAsWindowText();
}

void ButtonWindow::ShowCaptionAsWindowText() {
  // The dialog manager looks for a button's access key ("&S") in its window
  // text: with the caption there, Alt+S (or S alone, where the focused
  // control takes no characters) clicks the button through BM_CLICK. The
  // text is never drawn; the off-screen image is.
  std::string text = ToCp932(control_.Caption());
  if (text == window_text_) return;
  SetWindowTextA(handle(), text.c_str());
  window_text_ = std::move(text);
}

void ButtonWindow::PrepareDrawingResources(DrawingTopic topic) {
  switch (topic) {
    case DrawingTopic::BackColor: {
      const SystemColors& system = control_.SystemColourTable();
      control_.SetDrawingColours(
          ComputeDrawingColours(SystemColorToRgb(control_.BackColor(), system),
                                SystemColorToRgb(control_.HoverBackColor(), system),
                                control_.ButtonStyle(), control_.Colours().container));
      break;
    }
    case DrawingTopic::Font:
      if (image_) image_->SetFont(control_.Font());
      break;
    case DrawingTopic::Picture:
      // The picture's size and kind travel with the picture itself.
      break;
  }
}

void ButtonWindow::RecreateOffscreenImage() {
  if (!handle() || !image_) return;
  const SIZE size = ClientSize();
  const WindowDc dc(handle());
  image_->Resize(dc.get(), size.cx, size.cy);
}

void ButtonWindow::ApplyEnabled(bool enabled) {
  if (handle()) EnableWindow(handle(), enabled);
}

void ButtonWindow::ApplyMousePointer(MousePointerKind pointer, const ButtonPicture& icon) {
  if (pointer != MousePointerKind::Custom) {
    custom_cursor_ = StandardPointer(pointer);
    return;
  }
  const auto* picture = dynamic_cast<const Win32Picture*>(icon.handle.get());
  custom_cursor_ = picture ? HCURSOR(picture->Icon()) : nullptr;
}

void ButtonWindow::ShowInformation(std::string_view text, std::string_view title) {
  // Hints are for the form designer; a running form never shows them.
  if (!control_.DesignMode()) return;
  MessageBoxA(handle(), ToCp932(text).c_str(), ToCp932(title).c_str(), MB_ICONINFORMATION);
}

std::uintptr_t ButtonWindow::DeviceContextHandle() const { return std::uintptr_t(OffscreenDc()); }

}  // namespace velkaro
