// The button's reactions to input, checked as the sequence of what it does:
// every platform action, redraw and event goes into one log in order.
#include "controls/button_interaction.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/ambient_values.h"

namespace velkaro {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using Log = std::vector<std::string>;

std::string Args(std::initializer_list<double> values) {
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

struct RecordingSystemColors final : SystemColors {
  ColorRef Rgb(int) const override { return 0; }
};

class RecordingView final : public ButtonView {
 public:
  explicit RecordingView(Log& log, const ButtonControl*& control) : log_(log), control_(control) {}
  // Each redraw records the state flags it draws, so a test sees the look.
  void Redraw(bool rebuild) override {
    log_.push_back(std::string(rebuild ? "Redraw" : "Repaint") + "[" +
                   std::to_string(control_->StateFlags()) + "]");
  }
  void BuildShapeRegion() override {}
  void LayoutContent() override {}
  void PrepareDrawingResources(DrawingTopic) override {}
  void RecreateOffscreenImage() override {}
  void ApplyEnabled(bool) override {}
  void ApplyMousePointer(MousePointerKind, const ButtonPicture&) override {}
  void ShowInformation(std::string_view, std::string_view) override {}
  std::uintptr_t WindowHandle() const override { return 0; }
  std::uintptr_t DeviceContextHandle() const override { return 0; }

 private:
  Log& log_;
  const ButtonControl*& control_;
};

class RecordingEvents final : public ButtonEvents {
 public:
  explicit RecordingEvents(Log& log) : log_(log) {}
  void Click() override { log_.push_back("Click"); }
  void DoubleClick(std::int16_t b) override { log_.push_back("DoubleClick" + Args({double(b)})); }
  void MouseDown(std::int16_t b, std::int16_t s, float x, float y) override {
    log_.push_back("MouseDown" + Args({double(b), double(s), x, y}));
  }
  void MouseMove(std::int16_t b, std::int16_t s, float x, float y) override {
    log_.push_back("MouseMove" + Args({double(b), double(s), x, y}));
  }
  void MouseUp(std::int16_t b, std::int16_t s, float x, float y) override {
    log_.push_back("MouseUp" + Args({double(b), double(s), x, y}));
  }
  void KeyDown(std::int16_t k, std::int16_t s) override {
    log_.push_back("KeyDown" + Args({double(k), double(s)}));
  }
  void KeyPress(std::int16_t k) override { log_.push_back("KeyPress" + Args({double(k)})); }
  void KeyUp(std::int16_t k, std::int16_t s) override {
    log_.push_back("KeyUp" + Args({double(k), double(s)}));
  }
  void MouseOnButton(bool on) override { log_.push_back(on ? "OnButton" : "OffButton"); }
  void OLEDragOver(DragData*, std::int32_t& effect, std::int16_t b, std::int16_t s, float x,
                   float y, std::int16_t state) override {
    log_.push_back("OLEDragOver" + Args({double(effect), double(b), double(s), x, y,
                                         double(state)}));
    effect = 1;  // the form may answer through the reference
  }

 private:
  Log& log_;
};

constexpr std::uintptr_t kOwnWindow = 0x1000;
constexpr std::uintptr_t kOtherWindow = 0x2000;
constexpr std::uintptr_t kControlRef = 0xC0;

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
  void KillHoverTimer(std::uint32_t id) override { log_.push_back("KillTimer" + Args({double(id)})); }
  void Wait(std::uint32_t ms) override { log_.push_back("Wait" + Args({double(ms)})); }

  Point cursor_in_client{10, 12};
  std::uintptr_t window_under_cursor = kOwnWindow;
  std::function<void()> on_take_focus;

 private:
  Log& log_;
};

class ButtonInteractionTest : public ::testing::Test {
 protected:
  ButtonInteractionTest() {
    control_.SetView(&view_);
    control_.SetEvents(&events_);
  }

  // Runs a step and returns what it did.
  Log Do(const std::function<void()>& step) {
    log_.clear();
    step();
    return log_;
  }
  std::int16_t Flags() const { return control_.StateFlags(); }
  void Hover() {
    input_.OnMouseMove(0, 0, 5, 5);
    log_.clear();
  }

  Log log_;
  FixedAmbientValues ambient_;
  RecordingSystemColors system_colors_;
  ButtonControl control_{ambient_, system_colors_};
  const ButtonControl* drawn_ = &control_;
  RecordingView view_{log_, drawn_};
  RecordingEvents events_{log_};
  FakeHost host_{log_};
  ButtonInteraction input_{control_, host_};
};

TEST_F(ButtonInteractionTest, LeftPressAndReleasePressCaptureAndClick) {
  control_.SetDelayDrawing(true);  // a press is drawn even during a deferred update
  EXPECT_THAT(Do([&] { input_.OnMouseDown(1, 2, 3, 4); }),
              ElementsAre("Redraw[2]", "Capture", "MouseDown(1,2,3,4)"));
  EXPECT_EQ(control_.LastMouseButton(), 1);
  control_.SetDelayDrawing(true);
  EXPECT_THAT(Do([&] {
                input_.OnMouseUp(1, 0, 3, 4);
                input_.OnClick();
              }),
              ElementsAre("ReleaseCapture", "Redraw[0]", "MouseUp(1,0,3,4)", "Click"));
}

TEST_F(ButtonInteractionTest, RightAndMiddleButtonsRaiseTheirEventsButNoClick) {
  for (std::int16_t button : {kRightButton, kMiddleButton}) {
    EXPECT_THAT(Do([&] {
                  input_.OnMouseDown(button, 0, 1, 1);
                  input_.OnMouseUp(button, 0, 1, 1);
                  input_.OnClick();
                }),
                ElementsAre("MouseDown" + Args({double(button), 0, 1, 1}),
                            "MouseUp" + Args({double(button), 0, 1, 1})));
    EXPECT_EQ(control_.LastMouseButton(), button);
  }
}

TEST_F(ButtonInteractionTest, LeftDoubleClickShowsPressedAndSwallowsAStrayClick) {
  input_.OnMouseDown(1, 0, 5, 5);
  input_.OnMouseUp(1, 0, 5, 5);
  EXPECT_THAT(Do([&] { input_.OnDoubleClick(); }),
              ElementsAre("DoubleClick(1)", "Redraw[3]", "Capture", "MouseDown(1,0,10,12)"));
  EXPECT_EQ(control_.LastMouseButton(), kAfterDoubleClick);
  EXPECT_THAT(Do([&] { input_.OnClick(); }), IsEmpty());
}

TEST_F(ButtonInteractionTest, DoubleClickAfterAnotherButtonChangesNoState) {
  input_.OnMouseDown(2, 0, 5, 5);
  input_.OnMouseUp(2, 0, 5, 5);
  EXPECT_THAT(Do([&] { input_.OnDoubleClick(); }),
              ElementsAre("DoubleClick(2)", "MouseDown(1,0,10,12)"));
  EXPECT_EQ(Flags(), 0);
  EXPECT_EQ(control_.LastMouseButton(), 2);
}

TEST_F(ButtonInteractionTest, FirstMoveInsideStartsHoveringOnce) {
  EXPECT_THAT(Do([&] { input_.OnMouseMove(0, 0, 5, 5); }),
              ElementsAre("OnButton", "SetProp hb_ClassID=" + std::to_string(kControlRef),
                          "SetProp hb_TimerID=237", "SetTimer(237,50)", "Redraw[4]",
                          "MouseMove(0,0,5,5)"));
  EXPECT_TRUE(control_.Hovering());
  EXPECT_THAT(Do([&] { input_.OnMouseMove(1, 0, 6, 5); }), ElementsAre("MouseMove(1,0,6,5)"));
}

TEST_F(ButtonInteractionTest, OnlyMovesWithinTheInclusiveExtentStartHovering) {
  // Captured moves report points outside the client area, negative ones too.
  for (auto [x, y] : {std::pair{89.5f, 5.f}, {5.f, 33.25f}, {-0.5f, 5.f}, {5.f, -1.f}}) {
    input_.OnMouseMove(1, 0, x, y);
    EXPECT_FALSE(control_.Hovering()) << x << "," << y;
  }
  input_.OnMouseMove(0, 0, 89, 33);
  EXPECT_TRUE(control_.Hovering());
}

TEST_F(ButtonInteractionTest, TheTimerEndsHoveringOnlyOverAnotherWindow) {
  Hover();
  EXPECT_THAT(Do([&] { input_.CheckMouseLeft(237); }), IsEmpty());
  host_.window_under_cursor = kOtherWindow;
  control_.SetDelayDrawing(true);
  EXPECT_THAT(Do([&] { input_.CheckMouseLeft(237); }),
              ElementsAre("KillTimer(237)", "OffButton", "Redraw[0]"));
  EXPECT_FALSE(control_.Hovering());
  // Coming back starts a new hover with a new timer.
  host_.window_under_cursor = kOwnWindow;
  EXPECT_THAT(Do([&] { input_.OnMouseMove(0, 0, 1, 1); }), ::testing::Contains("SetTimer(237,50)"));
}

TEST_F(ButtonInteractionTest, HeldOutsideKeepsThePressButLosesTheHover) {
  Hover();
  input_.OnMouseDown(1, 0, 5, 5);
  EXPECT_EQ(Flags(), kStatePressed | kStateOver);
  host_.window_under_cursor = kOtherWindow;
  input_.CheckMouseLeft(237);
  EXPECT_EQ(Flags(), kStatePressed);
  // Release outside: the platform sends no click.
  EXPECT_THAT(Do([&] { input_.OnMouseUp(1, 0, 120, 5); }),
              ElementsAre("ReleaseCapture", "Redraw[0]", "MouseUp(1,0,120,5)"));
}

TEST_F(ButtonInteractionTest, ShiftAndArrowsRaiseNoKeyEvents) {
  EXPECT_THAT(Do([&] {
                input_.OnKeyDown(kKeyShift, 1);
                input_.OnKeyUp(kKeyShift, 0);
              }),
              IsEmpty());
  EXPECT_THAT(Do([&] {
                for (std::int16_t key : {kKeyLeft, kKeyUp, kKeyRight, kKeyDown}) {
                  input_.OnKeyDown(key, 0);
                  input_.OnKeyUp(key, 0);
                }
              }),
              ElementsAre("Send Shift+Tab", "Send Shift+Tab", "Send Tab", "Send Tab"));
  EXPECT_THAT(Do([&] {
                input_.OnKeyDown(65, 2);
                input_.OnKeyPress(97);
                input_.OnKeyUp(65, 2);
              }),
              ElementsAre("KeyDown(65,2)", "KeyPress(97)", "KeyUp(65,2)"));
}

TEST_F(ButtonInteractionTest, SpaceShowsPressedThenRaisesClickBeforeKeyUp) {
  input_.OnGotFocus();
  EXPECT_THAT(Do([&] { input_.OnKeyDown(kKeySpace, 0); }),
              ElementsAre("Redraw[7]", "KeyDown(32,0)"));
  // The mouse is elsewhere, so only the press stays.
  EXPECT_EQ(Flags(), kStateFocus | kStatePressed);
  // Auto-repeat raises KeyDown again but draws nothing.
  EXPECT_THAT(Do([&] { input_.OnKeyDown(kKeySpace, 0); }), ElementsAre("KeyDown(32,0)"));
  EXPECT_THAT(Do([&] { input_.OnKeyUp(kKeySpace, 0); }),
              ElementsAre("Redraw[1]", "Click", "KeyUp(32,0)"));
  EXPECT_EQ(control_.LastMouseButton(), kLeftButton);
}

TEST_F(ButtonInteractionTest, SpaceWhileHoveringKeepsTheMouseOverFlag) {
  Hover();
  input_.OnKeyDown(kKeySpace, 0);
  EXPECT_EQ(Flags(), kStatePressed | kStateOver);
  // A release without a press (the press went to another control) is no click.
  input_.OnKeyUp(kKeySpace, 0);
  EXPECT_THAT(Do([&] { input_.OnKeyUp(kKeySpace, 0); }), ElementsAre("KeyUp(32,0)"));
}

TEST_F(ButtonInteractionTest, AccessKeyOnAnUntouchedButtonFlashesThenClicks) {
  host_.on_take_focus = [&] { input_.OnGotFocus(); };
  EXPECT_THAT(Do([&] { input_.OnAccessKey(); }),
              ElementsAre("TakeFocus", "Redraw[7]", "Redraw[7]", "Wait(100)", "Wait(100)",
                          "Redraw[1]", "Click"));
  EXPECT_EQ(Flags(), kStateFocus);
}

TEST_F(ButtonInteractionTest, AccessKeyOnAFocusedButtonClicksWithoutFlash) {
  input_.OnGotFocus();
  EXPECT_THAT(Do([&] { input_.OnAccessKey(); }), ElementsAre("Click"));
  // After a right click the access key still clicks.
  input_.OnMouseDown(2, 0, 1, 1);
  input_.OnMouseUp(2, 0, 1, 1);
  EXPECT_THAT(Do([&] { input_.OnAccessKey(); }), ElementsAre("Click"));
}

TEST_F(ButtonInteractionTest, AccessKeyWhileTheMouseHoldsTheButtonReleasesIt) {
  input_.OnGotFocus();
  input_.OnMouseDown(1, 0, 1, 1);
  EXPECT_THAT(Do([&] { input_.OnAccessKey(); }), ElementsAre("Wait(100)", "Redraw[1]", "Click"));
}

TEST_F(ButtonInteractionTest, LosingTheFocusWhileHoveringKeepsTheHoveringFlag) {
  Hover();
  input_.OnGotFocus();
  EXPECT_THAT(Do([&] { input_.OnLostFocus(); }), ElementsAre("Redraw[0]"));
  EXPECT_TRUE(control_.Hovering());
  host_.window_under_cursor = kOtherWindow;
  EXPECT_THAT(Do([&] { input_.CheckMouseLeft(237); }), ::testing::Contains("KillTimer(237)"));
}

TEST_F(ButtonInteractionTest, PaintRequestDropsAStalePress) {
  input_.OnGotFocus();
  input_.OnMouseDown(1, 0, 1, 1);
  EXPECT_THAT(Do([&] { input_.OnPaintRequest(); }), ElementsAre("Redraw[1]"));
  input_.OnLostFocus();
  input_.OnMouseDown(1, 0, 1, 1);
  EXPECT_THAT(Do([&] { input_.OnPaintRequest(); }), ElementsAre("Redraw[0]"));
  control_.SetDelayDrawing(true);
  EXPECT_THAT(Do([&] { input_.OnPaintRequest(); }), ElementsAre("Repaint[0]"));
}

TEST_F(ButtonInteractionTest, TeardownKillsTheTimerOnlyWhileHovering) {
  EXPECT_THAT(Do([&] { input_.OnTeardown(); }), IsEmpty());
  Hover();
  EXPECT_THAT(Do([&] { input_.OnTeardown(); }), ElementsAre("KillTimer(237)"));
}

TEST_F(ButtonInteractionTest, DragAndDropArgumentsPassBothWays) {
  std::int32_t effect = 7;
  EXPECT_THAT(Do([&] { control_.Events().OLEDragOver(nullptr, effect, 1, 2, 3, 4, 5); }),
              ElementsAre("OLEDragOver(7,1,2,3,4,5)"));
  EXPECT_EQ(effect, 1);
}

}  // namespace
}  // namespace velkaro
