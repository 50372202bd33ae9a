// The button control loading its properties from a container's store that
// holds any typed values under any keys: the known keys in any letter case,
// unknown keys, repeated keys, values of the wrong type, numbers far out of
// range, texts of any length, fonts and pictures with any fields. What was
// loaded is then laid out and planned for drawing at a window size, screen
// size and mouse state taken from the input, through a view that does what
// the control's window does, so that a loaded value that indexes one of the
// drawing tables is caught. Saving and loading again must give the same
// control.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

#include "common/text_cp932.h"
#include "controls/ambient_values.h"
#include "controls/button_colors.h"
#include "controls/button_control.h"
#include "controls/button_geometry.h"
#include "controls/button_layout.h"
#include "controls/button_look.h"
#include "controls/button_paint_plan.h"
#include "controls/button_property_table.h"
#include "controls/property_store.h"

namespace {

using velkaro::ButtonControl;
using velkaro::ButtonFont;
using velkaro::ButtonPicture;
using velkaro::PictureKind;
using velkaro::PropertyValue;

constexpr const auto& kKeys = velkaro::stored::kAllKeys;

class FuzzPicture final : public velkaro::PlatformPicture {};

// A key of the table with its letters' case flipped at random, or any bytes.
std::string AnyKey(FuzzedDataProvider& input) {
  if (input.ConsumeIntegralInRange(0, 7) == 0) return input.ConsumeRandomLengthString(24);
  std::string key(kKeys[input.ConsumeIntegralInRange<std::size_t>(0, kKeys.size() - 1)]);
  const auto flips = input.ConsumeIntegral<std::uint32_t>();
  for (std::size_t i = 0; i < key.size() && i < 32; ++i)
    if ((flips >> i) & 1u) key[i] = static_cast<char>(key[i] ^ 0x20);
  return key;
}

// Mostly numbers near the edges of the ranges the control knows.
std::int32_t AnyInt32(FuzzedDataProvider& input) {
  switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0: return input.ConsumeIntegralInRange(-2, 100);
    case 1: return std::numeric_limits<std::int32_t>::min() + input.ConsumeIntegralInRange(0, 2);
    case 2: return std::numeric_limits<std::int32_t>::max() - input.ConsumeIntegralInRange(0, 2);
    default: return input.ConsumeIntegral<std::int32_t>();
  }
}

ButtonFont AnyFont(FuzzedDataProvider& input) {
  ButtonFont font;
  font.face = input.ConsumeRandomLengthString(80);
  font.size_points = input.ConsumeFloatingPoint<double>();
  font.weight = input.ConsumeIntegral<std::int16_t>();
  font.italic = input.ConsumeBool();
  font.underline = input.ConsumeBool();
  font.strikethrough = input.ConsumeBool();
  font.charset = input.ConsumeIntegral<std::int16_t>();
  return font;
}

ButtonPicture AnyPicture(FuzzedDataProvider& input) {
  ButtonPicture picture;
  if (input.ConsumeBool()) picture.handle = std::make_shared<FuzzPicture>();
  picture.kind = static_cast<PictureKind>(input.ConsumeIntegralInRange<std::int16_t>(0, 5));
  picture.width = AnyInt32(input);
  picture.height = AnyInt32(input);
  return picture;
}

PropertyValue AnyValue(FuzzedDataProvider& input) {
  switch (input.ConsumeIntegralInRange(0, 5)) {
    case 0: return input.ConsumeRandomLengthString(4096);
    case 1: return AnyInt32(input);
    case 2: return input.ConsumeIntegral<std::int16_t>();
    case 3: return input.ConsumeBool();
    case 4: return AnyFont(input);
    default: return AnyPicture(input);
  }
}

// Measures as a fixed-pitch font would: 6 pixels a byte on the longest
// line, 12 a line.
class FixedPitchMeasurer final : public velkaro::TextMeasurer {
 public:
  velkaro::TextExtent Measure(std::string_view text, std::int32_t, std::int32_t) const override {
    std::size_t longest = 0, current = 0, lines = 1;
    for (char c : text) {
      if (c == '\n') {
        ++lines;
        current = 0;
      } else if (c != '\r') {
        longest = std::max(longest, ++current);
      }
    }
    return {static_cast<std::int32_t>(longest * 6), static_cast<std::int32_t>(lines * 12)};
  }
};

class IndexColors final : public velkaro::SystemColors {
 public:
  velkaro::ColorRef Rgb(int index) const override {
    if (index < 0 || index > 255) std::abort();
    return static_cast<velkaro::ColorRef>(index) * 0x010101u;
  }
};

// Does what the control's window does with the portable rules, at a fixed
// client and screen size.
class PlanningView final : public velkaro::ButtonView {
 public:
  PlanningView(ButtonControl& control, std::int32_t width, std::int32_t height,
               std::int32_t screen_width, std::int32_t screen_height)
      : control_(control),
        width_(width),
        height_(height),
        screen_width_(screen_width),
        screen_height_(screen_height) {}

  void Redraw(bool rebuild) override {
    velkaro::ButtonLook look = velkaro::LookOf(control_, width_, height_);
    look.screen_width = screen_width_;
    look.screen_height = screen_height_;
    const velkaro::UsableExtent extent = velkaro::UsableExtentOf(look);
    const velkaro::Point shift = velkaro::PressedShift(look);
    if (rebuild) {
      const velkaro::FacePlan face = velkaro::PlanFace(look);
      face_used_ = face.face_used;
      (void)velkaro::ShapeClipEllipse(look);
      (void)velkaro::ImageTarget(look, extent.u, extent.p, look.layout.image,
                                 shift.x != 0 || shift.y != 0);
      (void)velkaro::PlanEdges(look);
    }
    if (!look.caption.empty()) {
      (void)velkaro::ToCp932(velkaro::CaptionForDrawing(look.caption));
      (void)velkaro::PlanCaption(look, face_used_);
    }
  }
  void BuildShapeRegion() override {
    const velkaro::ButtonShapeKind shape = control_.ButtonShape();
    if (velkaro::IsSlanted(shape)) width_ = velkaro::WidthForSlant(width_, height_);
    const velkaro::ShapeRegion region =
        velkaro::ShapeRegionOf(shape, control_.ButtonStyle(), control_.Enabled(), width_, height_);
    velkaro::ButtonLayout layout = control_.Layout();
    layout.left_slant_offset = region.left_slant_offset;
    layout.right_slant_position = region.right_slant_position;
    control_.SetLayout(layout);
  }
  void LayoutContent() override {
    control_.SetLayout(
        velkaro::LayoutContent(velkaro::LookOf(control_, width_, height_), measurer_));
  }
  void PrepareDrawingResources(velkaro::DrawingTopic topic) override {
    const velkaro::SystemColors& system = control_.SystemColourTable();
    if (topic == velkaro::DrawingTopic::Font) (void)velkaro::ToCp932(control_.Font().face);
    if (topic != velkaro::DrawingTopic::BackColor) return;
    control_.SetDrawingColours(
        velkaro::ComputeDrawingColours(velkaro::SystemColorToRgb(control_.BackColor(), system),
                                       velkaro::SystemColorToRgb(control_.HoverBackColor(), system),
                                       control_.ButtonStyle(), control_.Colours().container));
  }
  void RecreateOffscreenImage() override {}
  void ApplyEnabled(bool) override {}
  void ApplyMousePointer(velkaro::MousePointerKind, const ButtonPicture&) override {}
  void ShowInformation(std::string_view, std::string_view) override {}
  std::uintptr_t WindowHandle() const override { return 1; }
  std::uintptr_t DeviceContextHandle() const override { return 1; }

 private:
  ButtonControl& control_;
  const FixedPitchMeasurer measurer_;
  std::int32_t width_, height_;
  const std::int32_t screen_width_, screen_height_;
  velkaro::ColorRef face_used_ = 0;
};

// Every choice the drawing tables are indexed by stays in its range.
void CheckLoadedChoices(const ButtonControl& button) {
  const auto in = [](auto kind, std::int32_t high) {
    return velkaro::NumberOf(kind) >= 0 && velkaro::NumberOf(kind) <= high;
  };
  const std::int16_t size = button.ImageSize();
  const bool size_known = size == 0 || (size >= 16 && size <= 48 && size % 8 == 0);
  const std::int16_t pointer = velkaro::NumberOf(button.MousePointer());
  if (!in(button.CaptionAlign(), 2) || !in(button.CaptionStyle(), 2) ||
      !in(button.ButtonStyle(), 7) || !in(button.ButtonShape(), 6) ||
      !in(button.PictureAlign(), 5) || !in(button.GradientMode(), 4) || !size_known ||
      !((pointer >= 0 && pointer <= 15) || pointer == 99) ||
      (button.MouseIcon() && !button.MouseIcon().IsIconLike()))
    std::abort();
}

bool SameProperties(const ButtonControl& a, const ButtonControl& b) {
  return a.Caption() == b.Caption() && a.CaptionAlign() == b.CaptionAlign() &&
         a.CaptionStyle() == b.CaptionStyle() && a.ButtonStyle() == b.ButtonStyle() &&
         a.ButtonShape() == b.ButtonShape() && a.Picture() == b.Picture() &&
         a.PictureAlign() == b.PictureAlign() && a.ImageSize() == b.ImageSize() &&
         a.Enabled() == b.Enabled() && a.ShowFocusRect() == b.ShowFocusRect() &&
         a.MousePointer() == b.MousePointer() && a.MouseIcon() == b.MouseIcon() &&
         a.ForeColor() == b.ForeColor() && a.BackColor() == b.BackColor() &&
         a.GradientColor() == b.GradientColor() && a.GradientMode() == b.GradientMode() &&
         a.HoverColorLocks() == b.HoverColorLocks() && a.HoverForeColor() == b.HoverForeColor() &&
         a.HoverBackColor() == b.HoverBackColor() && a.Font().face == b.Font().face &&
         a.Font().weight == b.Font().weight;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  velkaro::FixedAmbientValues ambient;
  ambient.user_mode = input.ConsumeBool();
  ambient.display_as_default = input.ConsumeBool();
  ambient.back_color = static_cast<velkaro::ColorRef>(AnyInt32(input));
  ambient.display_name = "Command1";
  const IndexColors colors;

  // Client sizes a window can have, up to a large monitor.
  const std::int32_t width = input.ConsumeIntegralInRange(0, 2560);
  const std::int32_t height = input.ConsumeIntegralInRange(0, 1600);
  const std::int32_t screen_width = input.ConsumeIntegralInRange(1, 7680);
  const std::int32_t screen_height = input.ConsumeIntegralInRange(1, 4320);
  const auto state_flags = input.ConsumeIntegralInRange<std::int16_t>(0, 7);
  const bool hovering = input.ConsumeBool();

  velkaro::MemoryPropertyStore store;
  const int entries = input.ConsumeIntegralInRange(0, 40);
  for (int i = 0; i < entries && input.remaining_bytes() > 0; ++i) {
    std::string key = AnyKey(input);
    store.Write(key, AnyValue(input));
  }

  ButtonControl button(ambient, colors);
  PlanningView view(button, width, height, screen_width, screen_height);
  button.SetView(&view);
  button.OnShow();
  button.SetStateFlags(state_flags);
  button.SetHovering(hovering);
  button.ReadProperties(store);
  CheckLoadedChoices(button);

  // What was loaded is saved and loaded again into a fresh control.
  velkaro::MemoryPropertyStore saved;
  button.WriteProperties(saved);
  ButtonControl reloaded(ambient, colors);
  PlanningView reloaded_view(reloaded, width, height, screen_width, screen_height);
  reloaded.SetView(&reloaded_view);
  reloaded.OnShow();
  reloaded.ReadProperties(saved);
  if (!SameProperties(button, reloaded)) std::abort();
  return 0;
}
