#pragma once
// Fakes for the button control's seams: a view that records what the control
// asked of it, a change listener, and a system colour table.
#include <string>
#include <vector>

#include "controls/button_control.h"

namespace velkaro::testing {

class RecordingView final : public ButtonView {
 public:
  void Redraw(bool rebuild) override { calls.push_back(rebuild ? "Redraw" : "RedrawCaption"); }
  void BuildShapeRegion() override { calls.push_back("Region"); }
  void LayoutContent() override { calls.push_back("Layout"); }
  void PrepareDrawingResources(DrawingTopic topic) override {
    calls.push_back(topic == DrawingTopic::BackColor ? "Colours"
                    : topic == DrawingTopic::Font    ? "Font"
                                                     : "Picture");
  }
  void RecreateOffscreenImage() override { calls.push_back("Offscreen"); }
  void ApplyEnabled(bool enabled) override { calls.push_back(enabled ? "Enable" : "Disable"); }
  void ApplyMousePointer(MousePointerKind pointer, const ButtonPicture&) override {
    calls.push_back("Pointer " + std::to_string(NumberOf(pointer)));
  }
  void ShowInformation(std::string_view text, std::string_view title) override {
    messages.push_back(std::string(title) + "|" + std::string(text));
  }
  std::uintptr_t WindowHandle() const override { return 0x1234; }
  std::uintptr_t DeviceContextHandle() const override { return 0x5678; }

  int Count(const std::string& call) const {
    int n = 0;
    for (const auto& c : calls) n += c == call;
    return n;
  }

  std::vector<std::string> calls;
  std::vector<std::string> messages;
};

class RecordingChanges final : public ButtonControl::ChangeListener {
 public:
  void PropertyChanged(std::string_view key) override { keys.emplace_back(key); }
  bool Saw(std::string_view key) const {
    for (const auto& k : keys)
      if (k == key) return true;
    return false;
  }
  std::vector<std::string> keys;
};

// System colour nn is 0x00nnnnnn, so a test can see which index was asked.
class IndexColors final : public SystemColors {
 public:
  ColorRef Rgb(int index) const override {
    const ColorRef n = static_cast<ColorRef>(index);
    return n | (n << 8) | (n << 16);
  }
};

// A picture object that is only an identity.
class TestPicture final : public PlatformPicture {};

inline ButtonPicture MakePicture(PictureKind kind, std::int32_t width, std::int32_t height) {
  return ButtonPicture{std::make_shared<TestPicture>(), kind, width, height};
}

}  // namespace velkaro::testing
