#include "settings_dialog/settings_dialog.h"

namespace velkaro {

std::string TrackText(int track) { return track == 0 ? std::string() : std::to_string(track); }

std::vector<std::string> TrackListEntries() {
  std::vector<std::string> entries;
  for (int track = 0; track <= 99; ++track) entries.push_back(TrackText(track));
  return entries;
}

SettingsDialog::SettingsDialog(Settings& settings, SettingsDialogView& view, SettingsFile file)
    : settings_(settings), view_(view), file_(std::move(file)) {}

void SettingsDialog::Load(int screen_width, int screen_height, const DialogFrame& frame) {
  view_.PlaceWindow(DialogWindowRect(screen_width, screen_height, frame));
  view_.TilePanel(DialogPanel::Pattern);
  view_.TilePanel(DialogPanel::Music);
  ShowRandomChoice();
  ShowOnlyFrame(settings_.Pattern_No);
  ShowMusicKind(settings_.BGM_Kind);
  view_.FillTrackList(TrackListEntries());
  view_.SetTrackListText(TrackText(settings_.BGM_RepeatTrack));
  view_.SetFileLabel(settings_.BGM_File);
  view_.HandOutPointerAndFont();
  const auto pointer = view_.PointerPosition();
  zoom_from_ = pointer ? ZoomOrigin(true, pointer->x, pointer->y) : ZoomOrigin(false, 0, 0);
  view_.AnimateZoom(ZoomOpenRects(zoom_from_, view_.WindowScreenRect()));
  view_.RestoreDefaultPointer();
}

void SettingsDialog::ChoosePattern(int pattern) {
  settings_.Pattern_No = static_cast<std::int16_t>(pattern);
  ShowOnlyFrame(pattern);
  settings_.Rdm_Flag = 0;
  ShowRandomChoice();
}

void SettingsDialog::ToggleRandom() {
  // A hand-edited file may hold any number; every nonzero value counts as
  // ticked, so the first toggle clears it.
  settings_.Rdm_Flag = settings_.Rdm_Flag != 0 ? 0 : 1;
  ShowRandomChoice();
}

void SettingsDialog::ChooseMusicKind(int kind) {
  ShowMusicKind(kind);
  settings_.BGM_Kind = static_cast<std::int16_t>(kind);
}

void SettingsDialog::ChooseMusicFile() {
  if (const auto path = view_.AskForFile(MusicFileRequest())) {
    settings_.BGM_File = *path;
    view_.SetFileLabel(settings_.BGM_File);
  }
}

void SettingsDialog::Save() {
  if (closed_) return;
  if (!SaveSettings(settings_, file_, view_.TrackListText())) {
    view_.TellUser(kSaveFailedMessage);
    return;
  }
  Close();
}

void SettingsDialog::Cancel() {
  if (!closed_) Close();
}

void SettingsDialog::OpenWebPage() { view_.OpenAddress(kWebAddress); }

void SettingsDialog::Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  closed_ = true;
  view_.AnimateZoom(ZoomCloseRects(zoom_from_, view_.WindowScreenRect()));
}

void SettingsDialog::Close() {
  Unload();
  view_.DestroyWindow();
}

void SettingsDialog::ShowOnlyFrame(int pattern) {
  for (int i = 0; i < PatternCount; ++i) view_.ShowFrame(i, false);
  // A stored pattern outside the range shows no frame.
  if (pattern >= 0 && pattern < PatternCount) view_.ShowFrame(pattern, true);
}

void SettingsDialog::ShowRandomChoice() {
  view_.ShowRandomPicture(settings_.Rdm_Flag != 0 ? 1 : 0);
}

void SettingsDialog::ShowMusicKind(int kind) {
  view_.EnableFileButton(false);
  view_.EnableTrackList(false);
  for (int k = 0; k < 3; ++k) view_.ShowOptionPicture(k, 0);
  // A stored kind outside 0..2 marks no option and enables nothing.
  if (kind >= 0 && kind < 3) view_.ShowOptionPicture(kind, 1);
  if (kind == 1) view_.EnableTrackList(true);
  if (kind == 2) view_.EnableFileButton(true);
}

}  // namespace velkaro
