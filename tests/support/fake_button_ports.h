#pragma once
// Fakes for the button control's seams, one for each: a view and an event
// sink that record what the control asked of them, a platform host for the
// interaction that records what it was asked to do, a change listener, a
// system colour table, and a picture that is only an identity. The
// interaction's tests give the view, the events and the host one log, so
// that a test reads everything a step did in its order.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "controls/button_control.h"
#include "controls/button_interaction.h"

namespace velkaro::testing {

using Log = std::vector<std::string>;

// "(1,2,3.5)": the arguments of a logged call, without trailing zeros.
inline std::string Args(std::initializer_list<double> values) {
  std::string text = "(";
  for (double v : values) {
    if (text.size() > 1) text += ",";
    std::string number = std::to_string(v);
    number.erase(number.find_last_not_of('0') + 1);
    if (number.back() == '.') number.pop_back();
    text += number;
  }
  return text + ")";
}

class RecordingView final : public ButtonView {
 public:
  void Redraw(bool rebuild) override {
    calls.push_back(rebuild ? "Redraw" : "RedrawCaption");
    if (on_redraw) on_redraw(rebuild);
  }
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
  // Told of every redraw, whether it rebuilds the frame or only repaints.
  std::function<void(bool rebuild)> on_redraw;
};

// Logs every event with its arguments and counts the common ones.
class RecordingEvents final : public ButtonEvents {
 public:
  explicit RecordingEvents(Log& log) : log_(log) {}
  void Click() override {
    ++clicks;
    log_.push_back("Click");
  }
  void DoubleClick(std::int16_t b) override { log_.push_back("DoubleClick" + Args({double(b)})); }
  void MouseDown(std::int16_t b, std::int16_t s, float x, float y) override {
    ++mouse_downs;
    log_.push_back("MouseDown" + Args({double(b), double(s), x, y}));
  }
  void MouseMove(std::int16_t b, std::int16_t s, float x, float y) override {
    log_.push_back("MouseMove" + Args({double(b), double(s), x, y}));
  }
  void MouseUp(std::int16_t b, std::int16_t s, float x, float y) override {
    ++mouse_ups;
    log_.push_back("MouseUp" + Args({double(b), double(s), x, y}));
  }
  void KeyDown(std::int16_t k, std::int16_t s) override {
    key_codes.push_back(k);
    log_.push_back("KeyDown" + Args({double(k), double(s)}));
  }
  void KeyPress(std::int16_t k) override { log_.push_back("KeyPress" + Args({double(k)})); }
  void KeyUp(std::int16_t k, std::int16_t s) override {
    key_codes.push_back(k);
    log_.push_back("KeyUp" + Args({double(k), double(s)}));
  }
  void MouseOnButton(bool on) override {
    ++(on ? on_button : off_button);
    log_.push_back(on ? "OnButton" : "OffButton");
  }
  void OLEDragOver(DragData*, std::int32_t& effect, std::int16_t b, std::int16_t s, float x,
                   float y, std::int16_t state) override {
    log_.push_back("OLEDragOver" +
                   Args({double(effect), double(b), double(s), x, y, double(state)}));
    effect = 1;  // the form may answer through the reference
  }

  int clicks = 0, mouse_downs = 0, mouse_ups = 0, on_button = 0, off_button = 0;
  std::vector<int> key_codes;  // of KeyDown and KeyUp

 private:
  Log& log_;
};

inline constexpr std::uintptr_t kOwnWindow = 0x1000;
inline constexpr std::uintptr_t kOtherWindow = 0x2000;
inline constexpr std::uintptr_t kControlRef = 0xC0;

// A button of 89 x 33 pixels whose window is kOwnWindow.
class FakeHost final : public ButtonInteractionHost {
 public:
  explicit FakeHost(Log& log) : log_(log) {}

  float ScaleWidth() const override { return 89; }
  float ScaleHeight() const override { return 33; }
  void CaptureMouse() override { log_.push_back("Capture"); }
  void ReleaseMouse() override { log_.push_back("ReleaseCapture"); }
  void TakeFocus() override {
    log_.push_back("TakeFocus");
    if (on_take_focus) on_take_focus();
  }
  void SendTabKeystroke(bool backwards) override {
    log_.push_back(backwards ? "Send Shift+Tab" : "Send Tab");
  }
  Point CursorInClient() const override { return cursor_in_client; }
  Point CursorOnScreen() const override { return {500, 400}; }
  std::uintptr_t WindowAt(Point) const override { return window_under_cursor; }
  std::uintptr_t OwnWindow() const override { return kOwnWindow; }
  std::uintptr_t ControlReference() const override { return kControlRef; }
  void SetWindowProperty(std::string_view name, std::uintptr_t value) override {
    log_.push_back("SetProp " + std::string(name) + "=" + std::to_string(value));
  }
  void StartHoverTimer(std::uint32_t id, std::uint32_t ms) override {
    log_.push_back("SetTimer" + Args({double(id), double(ms)}));
  }
  void KillHoverTimer(std::uint32_t id) override {
    log_.push_back("KillTimer" + Args({double(id)}));
  }
  void Wait(std::uint32_t ms) override { log_.push_back("Wait" + Args({double(ms)})); }

  Point cursor_in_client{10, 12};
  std::uintptr_t window_under_cursor = kOwnWindow;
  std::function<void()> on_take_focus;

 private:
  Log& log_;
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
