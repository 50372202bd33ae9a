// The settings dialog opened, painted and closed many times in this process:
// every GDI object and window it makes goes with it. Closing a top-level
// window takes about two seconds under Wine, so the test makes a few cycles;
// VELKARO_DIALOG_CYCLES asks for more in a run by hand.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>

#include "settings_dialog/settings_dialog_win32.h"
#include "support/fake_profile_store.h"
#include "support/wait_win32.h"

namespace velkaro {
namespace {

// Hands every waiting message to its window until none is left.
void PumpUntilIdle() {
  testing::WaitUntil(
      [] {
        testing::PumpThreadMessages();
        return HIWORD(GetQueueStatus(QS_ALLINPUT)) == 0;
      },
      1000, 1);
}

struct GuiCounts {
  DWORD gdi = 0, windows = 0;
  // What the system reports (0 under Wine): the same must hold on Windows.
  DWORD reported_gdi = 0, reported_user = 0;
};

// Wine answers 0 to GetGuiResources, so the objects are counted from the
// handle tables instead: Wine takes a handle given by its table index alone
// (the 16-bit form), so every index is asked whether it holds a live object.
DWORD LiveGdiObjects() {
  DWORD count = 0;
  for (UINT_PTR index = 1; index <= 0xFFFF; ++index)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++count;
  return count;
}

// Window handles are even indices from 0x20; only this process's count.
DWORD LiveWindowsOfThisProcess() {
  DWORD count = 0;
  for (UINT_PTR index = 0x20; index <= 0xFFFF; index += 2) {
    HWND window = reinterpret_cast<HWND>(index);
    DWORD owner = 0;
    if (IsWindow(window) && GetWindowThreadProcessId(window, &owner) &&
        owner == GetCurrentProcessId())
      ++count;
  }
  return count;
}

GuiCounts CountsNow() {
  return {LiveGdiObjects(), LiveWindowsOfThisProcess(),
          GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
          GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)};
}

// VELKARO_DIALOG_CYCLES sets the number of measured cycles for a longer run
// by hand.
int MeasuredCycles() {
  const char* text = std::getenv("VELKARO_DIALOG_CYCLES");
  const int cycles = text ? std::atoi(text) : 0;
  return cycles > 0 ? cycles : 8;
}

class SettingsDialogCycles : public ::testing::Test {
 protected:
  // Opens the dialog, lets it paint everything, and closes it; false when
  // it did not open.
  bool Cycle(const std::function<void()>& while_open = [] {}) {
    Settings settings;
    settings.Pattern_No = 5;
    settings.BGM_Kind = 2;
    settings.BGM_File = "C:\\music\\song.mp3";
    SettingsDialogHandle dialog = CreateSettingsDialog(settings, file_);
    if (!dialog) return false;
    HWND window = SettingsDialogWindowOf(*dialog);
    if (!window) return false;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    UpdateWindow(window);
    PumpUntilIdle();
    while_open();
    DestroySettingsDialog(std::move(dialog));
    PumpUntilIdle();
    return !IsWindow(window);
  }

  testing::FakeProfileStore store_;
  testing::FakeFileProbe files_ = testing::FakeFileProbe::EveryFileReadable();
  const SettingsFile file_{store_, files_, "C:\\nowhere\\Velkaro.ini"};
};

TEST_F(SettingsDialogCycles, OpeningAndClosingLeavesTheObjectCountsWhereTheyWere) {
  // The first openings fill caches that stay (classes, stock objects, the
  // system's font and bitmap caches), so counting starts after them.
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(Cycle());
  const GuiCounts before = CountsNow();
  // The counting must see the dialog's own objects, or equal counts would
  // prove nothing.
  ASSERT_TRUE(Cycle([&] {
    const GuiCounts open = CountsNow();
    EXPECT_GT(open.gdi, before.gdi + 20);
    EXPECT_GT(open.windows, before.windows + 20);
  }));
  const int cycles = MeasuredCycles();
  for (int i = 0; i < cycles; ++i) ASSERT_TRUE(Cycle()) << "cycle " << i;
  const GuiCounts after = CountsNow();
  const auto n = [](DWORD v) { return static_cast<unsigned long>(v); };
  std::printf(
      "after %d cycles: GDI objects %lu -> %lu, windows %lu -> %lu, "
      "GR_GDIOBJECTS %lu -> %lu, GR_USEROBJECTS %lu -> %lu\n",
      cycles + 1, n(before.gdi), n(after.gdi), n(before.windows), n(after.windows),
      n(before.reported_gdi), n(after.reported_gdi), n(before.reported_user),
      n(after.reported_user));
  EXPECT_EQ(after.gdi, before.gdi);
  EXPECT_EQ(after.windows, before.windows);
  EXPECT_EQ(after.reported_gdi, before.reported_gdi);
  EXPECT_EQ(after.reported_user, before.reported_user);
}

}  // namespace
}  // namespace velkaro
