#pragma once
// The child window of hbButtons_H: it owns the control and its off-screen
// image, implements the control's view (region, layout, drawing
// resources, frames) and paints by copying the off-screen image. Input is
// not handled here: the ButtonInput attached to the window sees every
// message first, WM_DESTROY included; its answer ends the message's
// handling, except that WM_PAINT always ends in the window's own copy of
// the frame, so the input only changes state or redraws there.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "common/window_win32.h"
#include "controls/ambient_values.h"
#include "controls/button_control.h"
#include "controls/button_paint_win32.h"

namespace velkaro {

class ButtonInput;

class ButtonWindow final : public ButtonView, public Window {
 public:
  // The registered class (CS_DBLCLKS: double clicks arrive as messages).
  static constexpr const char* kClassName = "Velkaro_hbButtons_H";

  // A visible child of parent at rect (parent's client pixels) with control
  // identifier id. ambient must outlive the window. Null when the window
  // cannot be created.
  static std::unique_ptr<ButtonWindow> Create(HWND parent, int id, const RECT& rect,
                                              const AmbientValues& ambient);
  ~ButtonWindow() override;

  ButtonControl& Control() { return control_; }
  HWND Handle() const { return handle(); }
  // The input that hears the window's messages first; null detaches it.
  void AttachInput(ButtonInput* input) { input_ = input; }
  // The composed frame, for tests and snapshots.
  HDC OffscreenDc() const { return image_ ? image_->Dc() : nullptr; }

  // ButtonView
  void Redraw(bool rebuild) override;
  void BuildShapeRegion() override;
  void LayoutContent() override;
  void PrepareDrawingResources(DrawingTopic topic) override;
  void RecreateOffscreenImage() override;
  void ApplyEnabled(bool enabled) override;
  void ApplyMousePointer(MousePointerKind pointer, const ButtonPicture& icon) override;
  void ShowInformation(std::string_view text, std::string_view title) override;
  std::uintptr_t WindowHandle() const override { return std::uintptr_t(handle()); }
  std::uintptr_t DeviceContextHandle() const override;

  // Copies the off-screen image to dc at (0, 0).
  void CopyOffscreenToWindow(HDC dc) const;

 private:
  explicit ButtonWindow(const AmbientValues& ambient);
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  SIZE ClientSize() const;
  void ShowCaptionAsWindowText();

  Win32SystemColors system_colors_;
  ButtonControl control_;
  std::unique_ptr<OffscreenImage> image_;
  ButtonInput* input_ = nullptr;
  ColorRef face_used_ = 0;  // FillFace's colour, kept for caption-only redraws
  bool adjusting_width_ = false;
  HCURSOR custom_cursor_ = nullptr;
  std::string window_text_;  // code page 932
};

// The factory the settings dialog uses.
inline std::unique_ptr<ButtonWindow> CreateButtonWindow(HWND parent, int id, const RECT& rect,
                                                        const AmbientValues& ambient) {
  return ButtonWindow::Create(parent, id, rect, ambient);
}

}  // namespace velkaro
