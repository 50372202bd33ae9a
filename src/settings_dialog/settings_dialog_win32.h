#pragma once
// The settings dialog as a window of its own: shown with no owner, it runs
// its own message loop and returns once it has closed.
#include <windows.h>

#include <memory>

#include "settings/settings.h"

namespace velkaro {

// The dialog's window and everything it holds (pictures, fonts, buttons).
class SettingsDialogWindow;
struct SettingsDialogWindowDeleter {
  // Destroys the window if it is still open, as closing it does, then frees
  // the rest.
  void operator()(SettingsDialogWindow* window) const;
};
using SettingsDialogHandle = std::unique_ptr<SettingsDialogWindow, SettingsDialogWindowDeleter>;

// Creates the dialog's window and shows it, opening zoom included; null when
// the window cannot be created.
SettingsDialogHandle CreateSettingsDialog(Settings& settings, const SettingsFile& file);
// The dialog's top-level window, or null once it has closed.
HWND SettingsDialogWindowOf(const SettingsDialogWindow& window);
// Closes the window if it is still open and frees everything the dialog held.
void DestroySettingsDialog(SettingsDialogHandle window);

// Creates the dialog and handles its messages until it has closed.
void RunSettingsDialog(Settings& settings, const SettingsFile& file);

}  // namespace velkaro
