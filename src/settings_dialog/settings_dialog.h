#pragma once
// The settings dialog's behaviour over the settings variables, apart from
// the window system: what each control shows and what each handler changes.
// The window code implements SettingsDialogView and forwards its events.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings_dialog/dialog_geometry.h"
#include "settings_dialog/dialog_texts.h"
#include "settings/settings.h"

namespace velkaro {

enum class DialogPanel { Pattern, Music };

class SettingsDialogView {
 public:
  virtual ~SettingsDialogView() = default;
  virtual void PlaceWindow(const Rect& outer) = 0;
  virtual void TilePanel(DialogPanel panel) = 0;
  // The random check box shows picture 0 (unticked) or 1 (ticked).
  virtual void ShowRandomPicture(int picture) = 0;
  virtual void ShowFrame(int pattern, bool visible) = 0;
  // Option mark of music kind shows picture 0 (not chosen) or 1 (chosen).
  virtual void ShowOptionPicture(int kind, int picture) = 0;
  virtual void EnableTrackList(bool enabled) = 0;
  virtual void EnableFileButton(bool enabled) = 0;
  virtual void FillTrackList(const std::vector<std::string>& entries) = 0;
  virtual void SetTrackListText(const std::string& text) = 0;
  virtual std::string TrackListText() = 0;
  virtual void SetFileLabel(const std::string& ansi_path) = 0;
  // The custom hand pointer for the clickable pieces, the dialog's font face
  // for the buttons.
  virtual void HandOutPointerAndFont() = 0;
  virtual std::optional<Point> PointerPosition() = 0;
  virtual Rect WindowScreenRect() = 0;
  virtual void AnimateZoom(const ZoomRects& rects) = 0;
  virtual void RestoreDefaultPointer() = 0;
  // The open-file dialog; the chosen path in the system's ANSI code page, or
  // nothing when cancelled or when that code page cannot name the file.
  virtual std::optional<std::string> AskForFile(const OpenFileRequestData& request) = 0;
  virtual void OpenAddress(std::string_view address) = 0;
  // A message over the dialog that the user closes; returns once closed.
  virtual void TellUser(std::string_view message) = 0;
  virtual void DestroyWindow() = 0;
};

// The "##" format of the track list: the number without leading zeros, and
// the empty text for 0.
std::string TrackText(int track);
// Its entries: a blank one standing for 0 (the whole disc), then 1..99, the
// most tracks an audio CD can hold.
std::vector<std::string> TrackListEntries();

class SettingsDialog {
 public:
  SettingsDialog(Settings& settings, SettingsDialogView& view, SettingsFile file);

  // frame: what the window system puts around the dialog's client area.
  void Load(int screen_width, int screen_height, const DialogFrame& frame);
  void ChoosePattern(int pattern);
  void ToggleRandom();
  void ChooseMusicKind(int kind);
  void ChooseMusicFile();
  // "Setting": write the settings, then close. Where they could be written
  // nowhere, the user is told and the dialog stays with their choices.
  void Save();
  void Cancel();  // "Cancel" and the close box: close, keep the file as it was
  void OpenWebPage();
  // Called once the window is going away, however it was closed.
  void Unload();

  bool closed() const { return closed_; }

 private:
  void ShowOnlyFrame(int pattern);
  void ShowRandomChoice();
  void ShowMusicKind(int kind);
  void Close();

  Settings& settings_;
  SettingsDialogView& view_;
  SettingsFile file_;
  Point zoom_from_;
  bool closed_ = false;
  bool unloaded_ = false;
};

}  // namespace velkaro
