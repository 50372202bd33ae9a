// The button's reactions to input, checked as the sequence of what it does:
// every platform action, redraw and event goes into one log in order.
#include "controls/button_interaction.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/ambient_values.h"
#include "support/fake_button_ports.h"

namespace velkaro {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using testing::Args;
using testing::FakeHost;
using testing::IndexColors;
using testing::kControlRef;
using testing::kOtherWindow;
using testing::kOwnWindow;
using testing::Log;
using testing::RecordingEvents;
using testing::RecordingView;

class ButtonInteractionTest : public ::testing::Test {
 protected:
  ButtonInteractionTest() {
    // Each redraw goes into the log with the state flags it draws, so a
    // test sees the look.
    view_.on_redraw = [this](bool rebuild) {
      log_.push_back(std::string(rebuild ? "Redraw" : "Repaint") + "[" +
                     std::to_string(control_.StateFlags()) + "]");
    };
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
  IndexColors system_colors_;
  ButtonControl control_{ambient_, system_colors_};
  RecordingView view_;
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
  EXPECT_THAT(
      Do([&] { input_.OnMouseMove(0, 0, 5, 5); }),
      ElementsAre("OnButton", "SetProp hb_ClassID=" + std::to_string(kControlRef),
                  "SetProp hb_TimerID=237", "SetTimer(237,50)", "Redraw[4]", "MouseMove(0,0,5,5)"));
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
