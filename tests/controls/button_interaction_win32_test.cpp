// The button's input with real windows and real input: the mouse and the
// keys go through SendInput, so the messages arrive as the system makes
// them (capture, WindowFromPoint, the timer callback, the dialog manager).
#include "controls/button_input_win32.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "controls/ambient_values.h"
#include "support/fake_button_ports.h"
#include "support/saver_process_win32.h"

namespace velkaro {
namespace {

using testing::PressKey;
using testing::RecordingEvents;

constexpr char kTestFormClass[] = "VelkaroInputTestForm";

void RegisterFormClass() {
  static const bool registered = [] {
    WNDCLASSA form{};
    form.lpfnWndProc = &DefWindowProcA;
    form.hInstance = GetModuleHandleA(nullptr);
    form.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    form.lpszClassName = kTestFormClass;
    return RegisterClassA(&form) != 0;
  }();
  (void)registered;
}

// A button as the settings dialog places one: the window, then its input.
struct TestButton {
  TestButton(HWND parent, int id, int left) {
    window = CreateButtonWindow(parent, id, RECT{left, 10, left + 89, 10 + 33}, ambient);
    if (!window) return;
    control().SetEvents(&events);
    input = std::make_unique<ButtonInput>(*window);
  }
  ButtonControl& control() { return window->Control(); }
  HWND handle() const { return window->Handle(); }
  POINT Centre() const {
    POINT point{44, 16};
    ClientToScreen(handle(), &point);
    return point;
  }

  FixedAmbientValues ambient;
  testing::Log log;
  RecordingEvents events{log};
  std::unique_ptr<ButtonWindow> window;
  std::unique_ptr<ButtonInput> input;
};

void MoveMouseTo(POINT point) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(point.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
  input.mi.dy = MulDiv(point.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

void LeftButton(bool down) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &input, sizeof input);
}

class ButtonInputWin32Test : public ::testing::Test {
 protected:
  ButtonInputWin32Test() {
    RegisterFormClass();
    form_ =
        CreateWindowExA(WS_EX_TOPMOST, kTestFormClass, "button input", WS_POPUP | WS_VISIBLE, 100,
                        100, 320, 120, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    first_ = std::make_unique<TestButton>(form_, 1, 10);
    second_ = std::make_unique<TestButton>(form_, 2, 120);
    SetForegroundWindow(form_);
    if (first_->handle()) SetFocus(first_->handle());
    Pump(50);
  }
  ~ButtonInputWin32Test() override {
    first_.reset();
    second_.reset();
    DestroyWindow(form_);
  }

  // Dispatches messages as the settings dialog's loop does, until done()
  // holds or timeout_ms passed; returns whether done() held.
  bool PumpUntil(const std::function<bool()>& done, DWORD timeout_ms = 2000) {
    const DWORD start = GetTickCount();
    for (;;) {
      MSG message;
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (IsDialogMessageA(form_, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
      }
      if (done && done()) return true;
      if (GetTickCount() - start >= timeout_ms) return false;
      Sleep(2);
    }
  }
  void Pump(DWORD ms) { PumpUntil(nullptr, ms); }

  // A point on the form away from both buttons.
  POINT EmptyPlace() const { return POINT{100 + 260, 100 + 90}; }

  void HoverOver(TestButton& button) {
    MoveMouseTo(button.Centre());
    ASSERT_TRUE(PumpUntil([&] { return button.control().Hovering(); }));
  }

  void SetUp() override { ASSERT_TRUE(first_->window && second_->window) << "no button window"; }

  HWND form_ = nullptr;
  std::unique_ptr<TestButton> first_, second_;
};

TEST_F(ButtonInputWin32Test, PressAndReleaseInsideClicks) {
  HoverOver(*first_);
  LeftButton(true);
  ASSERT_TRUE(PumpUntil([&] { return first_->events.mouse_downs == 1; }));
  EXPECT_EQ(first_->control().StateFlags() & (kStatePressed | kStateOver),
            kStatePressed | kStateOver);
  EXPECT_EQ(GetCapture(), first_->handle());
  LeftButton(false);
  EXPECT_TRUE(PumpUntil([&] { return first_->events.clicks == 1; }));
  EXPECT_EQ(first_->events.mouse_ups, 1);
  EXPECT_EQ(first_->control().StateFlags() & kStatePressed, 0);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ButtonInputWin32Test, PressInsideAndReleaseOutsideIsNoClick) {
  HoverOver(*first_);
  LeftButton(true);
  ASSERT_TRUE(PumpUntil([&] { return first_->events.mouse_downs == 1; }));
  MoveMouseTo(EmptyPlace());
  // The timer ends the hover while the button is still held.
  EXPECT_TRUE(PumpUntil([&] { return !first_->control().Hovering(); }));
  LeftButton(false);
  ASSERT_TRUE(PumpUntil([&] { return first_->events.mouse_ups == 1; }));
  Pump(100);
  EXPECT_EQ(first_->events.clicks, 0);
  EXPECT_EQ(first_->control().StateFlags() & kStatePressed, 0);
}

TEST_F(ButtonInputWin32Test, HoverIsSetOnEntryAndClearedSoonAfterLeaving) {
  HoverOver(*first_);
  EXPECT_EQ(first_->events.on_button, 1);
  EXPECT_NE(first_->control().StateFlags() & kStateOver, 0);
  EXPECT_NE(GetPropA(first_->handle(), "hb_ClassID"), nullptr);
  EXPECT_EQ(reinterpret_cast<UINT_PTR>(GetPropA(first_->handle(), "hb_TimerID")), 237u);

  MoveMouseTo(EmptyPlace());
  const DWORD left_at = GetTickCount();
  ASSERT_TRUE(PumpUntil([&] { return !first_->control().Hovering(); }));
  // One timer period plus the scheduling slack of a loaded machine.
  EXPECT_LE(GetTickCount() - left_at, 200u);
  EXPECT_EQ(first_->events.off_button, 1);
  EXPECT_EQ(first_->control().StateFlags() & kStateOver, 0);
  // The timer is gone: there is nothing left to kill.
  EXPECT_FALSE(KillTimer(first_->handle(), 237));
}

TEST_F(ButtonInputWin32Test, ArrowsMoveTheFocusBetweenButtonsSilently) {
  ASSERT_EQ(GetFocus(), first_->handle());
  PressKey(VK_RIGHT);
  EXPECT_TRUE(PumpUntil([&] { return GetFocus() == second_->handle(); }));
  PressKey(VK_UP);
  EXPECT_TRUE(PumpUntil([&] { return GetFocus() == first_->handle(); }));
  Pump(50);
  // Only the release of the sent Tab reaches the button that got the focus;
  // the arrows and the sent Shift raise nothing.
  for (const auto* button : {first_.get(), second_.get()})
    for (int key : button->events.key_codes) EXPECT_EQ(key, VK_TAB);
  EXPECT_EQ(first_->control().StateFlags() & kStateFocus, kStateFocus);
  EXPECT_EQ(second_->control().StateFlags(), 0);
}

TEST_F(ButtonInputWin32Test, SpaceOnTheFocusedButtonClicks) {
  PressKey(VK_SPACE);
  EXPECT_TRUE(PumpUntil([&] { return first_->events.clicks == 1; }));
}

TEST_F(ButtonInputWin32Test, AccessKeyFlashesAnUntouchedButtonThenClicks) {
  MoveMouseTo(EmptyPlace());
  Pump(50);
  const DWORD start = GetTickCount();
  SendMessageA(second_->handle(), BM_CLICK, 0, 0);
  // Two steps of the pressed look, then the click; the focus comes along.
  EXPECT_GE(GetTickCount() - start, 180u);
  EXPECT_EQ(second_->events.clicks, 1);
  EXPECT_EQ(GetFocus(), second_->handle());
  EXPECT_EQ(second_->control().StateFlags(), kStateFocus);
}

// The dialog manager matches Alt and the letter after "&" in a caption, and
// clicks that button, whichever button has the focus.
TEST_F(ButtonInputWin32Test, AltAndTheAccessKeyOfACaptionClickThatButton) {
  second_->control().SetCaption("&Go");
  Pump(50);
  ASSERT_EQ(GetFocus(), first_->handle());
  testing::PressKeys({VK_MENU, 'G'});
  EXPECT_TRUE(PumpUntil([&] { return second_->events.clicks == 1; }));
  EXPECT_EQ(first_->events.clicks, 0);
}

// The pointer over a button follows its MousePointer choice; the default
// leaves the class's arrow to the system.
TEST_F(ButtonInputWin32Test, TheMousePointerChoiceShowsTheStandardPointer) {
  const LPARAM over_client = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
  for (auto [choice, id] : {std::pair{MousePointerKind::IBeam, IDC_IBEAM},
                            std::pair{MousePointerKind::Hourglass, IDC_WAIT},
                            std::pair{MousePointerKind::SizeWe, IDC_SIZEWE}}) {
    first_->control().SetMousePointer(choice);
    SendMessageA(first_->handle(), WM_SETCURSOR, WPARAM(first_->handle()), over_client);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, id)) << int(choice);
  }
  SetCursor(nullptr);
  first_->control().SetMousePointer(MousePointerKind::Default);
  SendMessageA(first_->handle(), WM_SETCURSOR, WPARAM(first_->handle()), over_client);
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
}

TEST_F(ButtonInputWin32Test, TeardownWhileHoveringStopsTheTimer) {
  HoverOver(*first_);
  first_->input.reset();
  EXPECT_EQ(GetPropA(first_->handle(), "hb_ClassID"), nullptr);
  EXPECT_FALSE(KillTimer(first_->handle(), 237));
  // A tick that was already queued finds nobody and does no harm.
  HoverTimerProc(first_->handle(), WM_TIMER, 237, 0);
  Pump(80);
}

}  // namespace
}  // namespace velkaro
