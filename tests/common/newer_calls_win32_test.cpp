// The calls that the oldest systems lack, with the system's function and
// with the fallback that such a system takes: both must do the same. Wine has
// every one of these functions, so the fallbacks are reached here by giving
// no function at all, as the look-up gives none on Windows 95 or NT 4.
#include "common/newer_calls_win32.h"

#include <gtest/gtest.h>

#include <memory>
#include <type_traits>
#include <vector>

#include "support/wait_win32.h"

namespace velkaro {
namespace {

struct WindowCloser {
  void operator()(HWND window) const { DestroyWindow(window); }
};
using OwnedWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowCloser>;

OwnedWindow MakeWindow(DWORD style, HWND parent) {
  return OwnedWindow(CreateWindowExA(0, "STATIC", "", style, 0, 0, 200, 100, parent, nullptr,
                                     GetModuleHandleA(nullptr), nullptr));
}

// The key messages that reach `window` within a second, as (message, key).
std::vector<std::pair<UINT, WPARAM>> KeyMessagesOf(HWND window, std::size_t expected) {
  std::vector<std::pair<UINT, WPARAM>> seen;
  testing::WaitUntil(
      [&] {
        MSG message;
        while (PeekMessageA(&message, window, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE))
          seen.emplace_back(message.message, message.wParam);
        return seen.size() >= expected;
      },
      1000, 10);
  return seen;
}

TEST(NewerCalls, AreFoundWhereTheSystemHasThem) {
  EXPECT_NE(LoadedSystemFunction<GetAncestorFunction>("user32.dll", "GetAncestor"), nullptr);
  EXPECT_EQ(LoadedSystemFunction<GetAncestorFunction>("user32.dll", "NoSuchCall"), nullptr);
  EXPECT_EQ(LoadedSystemFunction<GetAncestorFunction>("nosuch.dll", "GetAncestor"), nullptr);
}

// The preview form is WS_POPUP as well as WS_CHILD once it is put into the
// pane, the case where GetParent would name its owner instead.
TEST(NewerCalls, AFormPutIntoAPaneIsItsChildWithAndWithoutGetAncestor) {
  const OwnedWindow pane = MakeWindow(WS_POPUP, nullptr);
  const OwnedWindow form = MakeWindow(WS_POPUP, nullptr);
  const OwnedWindow other = MakeWindow(WS_POPUP, nullptr);
  ASSERT_TRUE(pane && form && other);
  SetWindowLongA(form.get(), GWL_STYLE, GetWindowLongA(form.get(), GWL_STYLE) | WS_CHILD);
  SetParent(form.get(), pane.get());
  const OwnedWindow image = MakeWindow(WS_CHILD, form.get());
  const auto get_ancestor = LoadedSystemFunction<GetAncestorFunction>("user32.dll", "GetAncestor");
  for (GetAncestorFunction function : {get_ancestor, GetAncestorFunction{}}) {
    SCOPED_TRACE(function ? "GetAncestor" : "list of children");
    EXPECT_TRUE(IsDirectChild(form.get(), pane.get(), function));
    EXPECT_FALSE(IsDirectChild(image.get(), pane.get(), function));
    EXPECT_FALSE(IsDirectChild(form.get(), other.get(), function));
    EXPECT_FALSE(IsDirectChild(form.get(), nullptr, function));
  }
}

TEST(NewerCalls, KeyStrokesArriveInOrderWithAndWithoutSendInput) {
  const OwnedWindow window = MakeWindow(WS_POPUP | WS_VISIBLE, nullptr);
  ASSERT_TRUE(window);
  SetForegroundWindow(window.get());
  SetFocus(window.get());
  const KeyStroke strokes[] = {{VK_F7, false}, {VK_F7, true}, {VK_F8, false}, {VK_F8, true}};
  const std::vector<std::pair<UINT, WPARAM>> typed = {
      {WM_KEYDOWN, VK_F7}, {WM_KEYUP, VK_F7}, {WM_KEYDOWN, VK_F8}, {WM_KEYUP, VK_F8}};
  const auto send_input = LoadedSystemFunction<SendInputFunction>("user32.dll", "SendInput");
  for (SendInputFunction function : {send_input, SendInputFunction{}}) {
    SendKeyStrokes(strokes, function);
    EXPECT_EQ(KeyMessagesOf(window.get(), typed.size()), typed)
        << (function ? "SendInput" : "keybd_event");
  }
}

TEST(NewerCalls, AWaitEndsWhenAMessageArrivesWithAndWithoutTheExtendedWait) {
  const auto wait_ex =
      LoadedSystemFunction<MsgWaitExFunction>("user32.dll", "MsgWaitForMultipleObjectsEx");
  for (MsgWaitExFunction function : {wait_ex, MsgWaitExFunction{}}) {
    PostThreadMessageA(GetCurrentThreadId(), WM_APP, 0, 0);
    const DWORD start = GetTickCount();
    WaitForMessage(10000, function);
    EXPECT_LT(GetTickCount() - start, 5000u) << (function ? "extended wait" : "plain wait");
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_APP, WM_APP, PM_REMOVE));
  }
}

}  // namespace
}  // namespace velkaro
