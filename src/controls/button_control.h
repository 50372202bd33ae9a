#pragma once
// hbButtons_H, the push button that draws itself completely: its properties,
// the ties between hover and normal colours, the reactions to its container
// and its persistence. Drawing, the window and input live behind the
// ButtonView port and in the interaction code; this class is the state they
// share and never needs the platform headers.
#include <cstdint>
#include <string>
#include <string_view>

#include "common/geometry.h"
#include "controls/ambient_values.h"
#include "controls/button_properties.h"
#include "controls/property_store.h"

namespace velkaro {

// Bits of the state flags.
inline constexpr std::int16_t kStateFocus = 1;    // in a designer: the default button
inline constexpr std::int16_t kStatePressed = 2;  // left button held down on the button
inline constexpr std::int16_t kStateOver = 4;     // mouse over the button

// Bits of HoverColorLocks: a set bit frees that hover colour from its normal
// colour, so 0 ties both and 3 ties neither.
inline constexpr std::int32_t kHoverBackFree = 1;
inline constexpr std::int32_t kHoverForeFree = 2;

// The caption of a freshly created control, until its first resize gives it
// the display name: the ANSI characters 246 and 234 (as the Western code page
// reads them) around "Quendal_New", in UTF-8.
inline constexpr std::string_view kNewControlMarker = "\xC3\xB6Quendal_New\xC3\xAA";

// Results of the last shape and layout pass, kept for drawing.
struct ButtonLayout {
  std::int32_t left_slant_offset = 0;     // 0 unless the left edge is slanted
  std::int32_t right_slant_position = 0;  // the width unless the right edge is slanted
  Rect caption;
  Rect image;
};

// The colours ready for drawing, as RGB values.
struct DrawingColours {
  ColorRef face = 0;
  ColorRef pressed = 0;
  ColorRef hover = 0;
  ColorRef container = 0;  // the container's background colour
};

// Which drawing resource PrepareDrawingResources rebuilds.
enum class DrawingTopic { BackColor, Font, Picture };

// The data of a drag-and-drop notification; only the platform knows it.
class DragData;

// The events a button raises towards its form. Every handler does nothing
// unless overridden. Button: 1 left, 2 right, 4 middle; Shift: 1 shift,
// 2 ctrl, 4 alt. Of the drag-and-drop events, those arguments passed by
// reference may be changed by the form; the window raises none of them,
// since the dialog's buttons take no drops.
class ButtonEvents {
 public:
  virtual ~ButtonEvents() = default;
  virtual void Click() {}
  virtual void DoubleClick(std::int16_t /*button*/) {}
  virtual void MouseDown(std::int16_t /*button*/, std::int16_t /*shift*/, float /*x*/,
                         float /*y*/) {}
  virtual void MouseMove(std::int16_t /*button*/, std::int16_t /*shift*/, float /*x*/,
                         float /*y*/) {}
  virtual void MouseUp(std::int16_t /*button*/, std::int16_t /*shift*/, float /*x*/, float /*y*/) {}
  virtual void KeyDown(std::int16_t /*key_code*/, std::int16_t /*shift*/) {}
  virtual void KeyPress(std::int16_t /*key_ascii*/) {}
  virtual void KeyUp(std::int16_t /*key_code*/, std::int16_t /*shift*/) {}
  virtual void MouseOnButton(bool /*on_button*/) {}
  virtual void OLECompleteDrag(std::int32_t& /*effect*/) {}
  virtual void OLEDragDrop(DragData* /*data*/, std::int32_t& /*effect*/, std::int16_t /*button*/,
                           std::int16_t /*shift*/, float /*x*/, float /*y*/) {}
  virtual void OLEDragOver(DragData* /*data*/, std::int32_t& /*effect*/, std::int16_t /*button*/,
                           std::int16_t /*shift*/, float /*x*/, float /*y*/,
                           std::int16_t /*state*/) {}
  virtual void OLEGiveFeedback(std::int32_t& /*effect*/, bool& /*default_cursors*/) {}
  virtual void OLESetData(DragData* /*data*/, std::int16_t& /*data_format*/) {}
  virtual void OLEStartDrag(DragData* /*data*/, std::int32_t& /*allowed_effects*/) {}
};

// What the control asks of its window and painter. The window implements it;
// a control without a view (before its window exists, or in tests) simply
// keeps its state.
class ButtonView {
 public:
  virtual ~ButtonView() = default;
  // Composes a frame and copies it to the window. The control calls it only
  // while DelayDrawing is clear.
  virtual void Redraw(bool rebuild) = 0;
  // Rebuilds the window region from ButtonShape and ButtonStyle (may widen
  // the window) and stores the slant results with SetLayout.
  virtual void BuildShapeRegion() = 0;
  // The full layout: measures the caption and stores both rectangles with
  // SetLayout.
  virtual void LayoutContent() = 0;
  // Rebuilds one drawing resource from the control's properties; for
  // BackColor it stores the face, pressed and hover colours with
  // SetDrawingColours (the container colour is already there).
  virtual void PrepareDrawingResources(DrawingTopic topic) = 0;
  // A new off-screen bitmap of the window's current size (at every resize).
  virtual void RecreateOffscreenImage() = 0;
  // The window's own properties.
  virtual void ApplyEnabled(bool enabled) = 0;
  virtual void ApplyMousePointer(MousePointerKind pointer, const ButtonPicture& icon) = 0;
  // An information message box; the control shows one only in a designer.
  virtual void ShowInformation(std::string_view text, std::string_view title) = 0;
  // Native handles (HWND, HDC) as integers; 0 without a window.
  virtual std::uintptr_t WindowHandle() const = 0;
  virtual std::uintptr_t DeviceContextHandle() const = 0;
};

class ButtonControl {
 public:
  // A new control as a designer creates one: caption is the new-control
  // marker, centred caption, BackColor and HoverBackColor the button face.
  // The three seams must outlive the control.
  ButtonControl(const AmbientValues& ambient, const SystemColors& system_colors);
  ButtonControl(const ButtonControl&) = delete;
  ButtonControl& operator=(const ButtonControl&) = delete;

  // Seams that can be attached later; nullptr detaches.
  void SetView(ButtonView* view);
  void SetEvents(ButtonEvents* events);
  ButtonEvents& Events() { return events_ ? *events_ : no_events_; }
  // Called with each key whose value changed (the property-changed
  // notification towards the container). Tests and the dialog may leave it.
  class ChangeListener {
   public:
    virtual ~ChangeListener() = default;
    virtual void PropertyChanged(std::string_view key) = 0;
  };
  void SetChangeListener(ChangeListener* listener) { changes_ = listener; }

  // --- Properties -------------------------------------------------------
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  // The character after the last single "&" of the caption (UTF-8; may be
  // empty); kept as it was when the caption has none.
  const std::string& AccessKey() const { return access_key_; }

  // The setters of the closed sets ignore a number outside the set.
  CaptionAlignKind CaptionAlign() const { return caption_align_; }
  void SetCaptionAlign(CaptionAlignKind align);
  CaptionStyleKind CaptionStyle() const { return caption_style_; }
  void SetCaptionStyle(CaptionStyleKind style);
  ButtonStyleKind ButtonStyle() const { return button_style_; }
  void SetButtonStyle(ButtonStyleKind style);
  ButtonShapeKind ButtonShape() const { return button_shape_; }
  void SetButtonShape(ButtonShapeKind shape);

  const ButtonPicture& Picture() const { return picture_; }
  void SetPicture(ButtonPicture picture);
  PictureAlignKind PictureAlign() const { return picture_align_; }
  void SetPictureAlign(PictureAlignKind align);
  // 0..4 for 16, 24, 32, 40, 48 pixels. Reading takes a size of 0 as 16.
  std::int32_t PictureSize();
  void SetPictureSize(std::int32_t size);
  // The image side in pixels as stored (0 until first needed).
  std::int16_t ImageSize() const { return image_size_; }
  // The image side, 16 when it was still 0.
  std::int16_t EnsureImageSize();
  // Picture facts read when the picture is set or loaded; 0 x 0 = no image.
  std::int32_t ImageWidth() const { return image_width_; }
  std::int32_t ImageHeight() const { return image_height_; }
  bool ImageIsIcon() const { return image_is_icon_; }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool ShowFocusRect() const { return show_focus_rect_; }
  void SetShowFocusRect(bool show);
  MousePointerKind MousePointer() const { return mouse_pointer_; }
  void SetMousePointer(MousePointerKind pointer);
  const ButtonPicture& MouseIcon() const { return mouse_icon_; }
  // Only an icon or cursor is taken (then MousePointer becomes Custom).
  void SetMouseIcon(ButtonPicture icon);

  const ButtonFont& Font() const { return font_; }
  void SetFont(ButtonFont font);
  // 2 bold, 4 italic, 8 underline.
  std::int32_t FontStyle() const;
  void SetFontStyle(std::int32_t style);

  ColorRef ForeColor() const { return fore_color_; }
  void SetForeColor(ColorRef color);
  ColorRef BackColor() const { return back_color_; }
  void SetBackColor(ColorRef color);
  ColorRef GradientColor() const { return gradient_color_; }
  void SetGradientColor(ColorRef color);
  GradientModeKind GradientMode() const { return gradient_mode_; }
  void SetGradientMode(GradientModeKind mode);
  std::int32_t HoverColorLocks() const { return hover_color_locks_; }
  void SetHoverColorLocks(std::int32_t locks);
  ColorRef HoverForeColor() const { return hover_fore_color_; }
  void SetHoverForeColor(ColorRef color);
  ColorRef HoverBackColor() const { return hover_back_color_; }
  void SetHoverBackColor(ColorRef color);
  bool ResetDefaultColors() const { return false; }
  void SetResetDefaultColors(bool reset);

  std::uintptr_t hWnd() const;
  std::uintptr_t hDC() const;

  // --- Methods ----------------------------------------------------------
  // Redraws the whole button unless DelayDrawing is set.
  void Refresh() { Redraw(true); }
  bool DelayDrawing() const { return delay_drawing_; }
  // Clearing it redraws at once.
  void SetDelayDrawing(bool delay);
  // Clears the flag without drawing (the interaction code clears it before
  // its own redraw).
  void ClearDelayDrawing() { delay_drawing_ = false; }
  // The one entry to drawing: nothing happens while DelayDrawing is set.
  void Redraw(bool rebuild);

  // --- State shared with drawing and interaction -------------------------
  std::int16_t StateFlags() const { return state_flags_; }
  void SetStateFlags(std::int16_t flags) { state_flags_ = flags; }
  bool Hovering() const { return hovering_; }
  void SetHovering(bool hovering) { hovering_ = hovering; }
  std::int16_t LastMouseButton() const { return last_mouse_button_; }
  void SetLastMouseButton(std::int16_t button) { last_mouse_button_ = button; }
  bool DesignMode() const { return design_mode_; }
  const ButtonLayout& Layout() const { return layout_; }
  void SetLayout(const ButtonLayout& layout) { layout_ = layout; }
  const DrawingColours& Colours() const { return colours_; }
  void SetDrawingColours(const DrawingColours& colours) { colours_ = colours; }
  const SystemColors& SystemColourTable() const { return system_colors_; }

  // --- Container ----------------------------------------------------------
  // The control is shown for the first time.
  void OnShow();
  // The container reports a changed ambient value (name, any letter case).
  void OnAmbientChanged(std::string_view name);
  // The window was resized: replaces the new-control marker by the display
  // name, refreshes the container colour, then rebuilds and draws.
  void OnResize();

  // --- Persistence --------------------------------------------------------
  void WriteProperties(PropertyStore& store) const;
  void ReadProperties(const PropertyStore& store);

 private:
  void Notify(std::string_view key);
  void RecomputeLayout();
  void RecomputeColours();
  void RefreshContainerColour();
  void ReadPictureFacts();
  void ApplyHoverLocks();
  void ShowDesignMessage(std::string_view text, std::string_view title);
  ButtonView* View() const { return view_; }

  class NoEvents final : public ButtonEvents {};

  const AmbientValues& ambient_;
  const SystemColors& system_colors_;
  ButtonView* view_ = nullptr;
  ButtonEvents* events_ = nullptr;
  NoEvents no_events_;
  ChangeListener* changes_ = nullptr;

  std::string caption_;
  std::string access_key_;
  CaptionAlignKind caption_align_ = CaptionAlignKind::Centre;
  CaptionStyleKind caption_style_ = CaptionStyleKind::Flat;
  ButtonStyleKind button_style_ = ButtonStyleKind::ClassicBevel;
  ButtonShapeKind button_shape_ = ButtonShapeKind::Rectangle;
  ButtonPicture picture_;
  PictureAlignKind picture_align_ = PictureAlignKind::LeftEdge;
  std::int16_t image_size_ = 0;
  std::int32_t image_width_ = 0;
  std::int32_t image_height_ = 0;
  bool image_is_icon_ = false;
  bool show_focus_rect_ = true;
  GradientModeKind gradient_mode_ = GradientModeKind::None;
  ColorRef gradient_color_ = 0;
  std::int32_t hover_color_locks_ = 0;
  ColorRef hover_fore_color_ = 0;
  ColorRef hover_back_color_ = kButtonFaceColor;
  ColorRef back_color_ = kButtonFaceColor;

  // Properties of the control's window, mirrored here.
  bool enabled_ = true;
  ColorRef fore_color_ = kButtonTextColor;
  ButtonFont font_;
  MousePointerKind mouse_pointer_ = MousePointerKind::Default;
  ButtonPicture mouse_icon_;

  bool delay_drawing_ = false;
  bool design_mode_ = false;
  std::int16_t state_flags_ = 0;
  bool hovering_ = false;
  std::int16_t last_mouse_button_ = 0;
  ButtonLayout layout_;
  DrawingColours colours_;
};

// The values the settings dialog keeps for each of its buttons: a new
// control with the shaded-face style, centred caption, a white face, black caption,
// hover caption and gradient colour, and a bold font when asked.
MemoryPropertyStore DialogButtonValues(std::string caption, bool bold);

}  // namespace velkaro
