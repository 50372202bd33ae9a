#include "settings_dialog/settings_dialog_win32.h"

#include <windows.h>
#include <shellapi.h>
#include <commdlg.h>

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/gdi_win32.h"
#include "common/geometry_win32.h"
#include "common/newer_calls_win32.h"
#include "common/resource_ids.h"
#include "common/system_win32.h"
#include "common/text_cp932.h"
#include "common/text_win32.h"
#include "common/window_win32.h"
#include "settings_dialog/dialog_button_win32.h"
#include "settings_dialog/dialog_piece_win32.h"
#include "settings_dialog/settings_dialog.h"
#include "settings/window_titles.h"

namespace velkaro {
namespace {

constexpr char kDialogClass[] = "Velkaro_P";
constexpr DWORD kDialogStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kDialogExStyle = 0;
constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);

HBITMAP LoadBitmapResource(int id) {
  return static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                         IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

// The frame and caption that the system's current window metrics give a
// window of the dialog's style (without a menu): the classic metrics of
// Windows 95 to 2000 give 3 pixels each side and a 22-pixel top, current
// Windows a taller caption and wider frames.
DialogFrame DialogFrameFromMetrics() {
  RECT outer{0, 0, 0, 0};
  if (!AdjustWindowRectEx(&outer, kDialogStyle, FALSE, kDialogExStyle)) return {3, 22, 3, 3};
  return {-outer.left, -outer.top, outer.right, outer.bottom};
}

class Win32SettingsDialog final : public SettingsDialogView, public Window {
 public:
  Win32SettingsDialog(Settings& settings, const SettingsFile& file)
      : logic_(settings, *this, file) {}

  // Creates and shows the window; false when it cannot be created.
  bool Create();
  // Handles the window's messages until it has closed.
  void RunMessageLoop();
  // Destroys the window if it is still open.
  void Destroy() {
    if (handle()) ::DestroyWindow(handle());
  }

  // SettingsDialogView
  void PlaceWindow(const Rect& outer) override {
    SetWindowPos(handle(), nullptr, outer.left, outer.top, outer.width(), outer.height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  void TilePanel(DialogPanel panel) override;
  void ShowRandomPicture(int picture) override {
    ShowPicture(random_mark_, check_pictures_[picture & 1].get(), picture & 1);
  }
  void ShowFrame(int pattern, bool visible) override {
    frames_visible_[pattern] = visible;
    pattern_panel_.Invalidate();
  }
  void ShowOptionPicture(int kind, int picture) override {
    ShowPicture(option_marks_[kind], option_pictures_[picture & 1].get(), picture & 1);
  }
  void EnableTrackList(bool enabled) override { EnableWindow(track_list_, enabled); }
  void EnableFileButton(bool enabled) override {
    if (file_button_) file_button_->Enable(enabled);
  }
  void FillTrackList(const std::vector<std::string>& entries) override {
    SendMessageA(track_list_, CB_RESETCONTENT, 0, 0);
    for (const std::string& entry : entries)
      SendMessageA(track_list_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  }
  void SetTrackListText(const std::string& text) override {
    SetWindowTextA(track_list_, text.c_str());
  }
  std::string TrackListText() override {
    char text[256] = {};
    GetWindowTextA(track_list_, text, sizeof text);
    return text;
  }
  void SetFileLabel(const std::string& ansi_path) override {
    // A path the system gave, in its own ANSI code page.
    file_label_.text = WideFromSystemAnsi(ansi_path);
    file_label_.Invalidate();
  }
  void HandOutPointerAndFont() override;
  std::optional<Point> PointerPosition() override {
    POINT p;
    if (!GetCursorPos(&p)) return std::nullopt;
    return Point{p.x, p.y};
  }
  Rect WindowScreenRect() override {
    RECT r{};
    GetWindowRect(handle(), &r);
    return FromRECT(r);
  }
  void AnimateZoom(const ZoomRects& rects) override {
    const RECT from = ToRECT(rects.from), to = ToRECT(rects.to);
    DrawAnimatedRects(handle(), IDANI_CAPTION, &from, &to);
  }
  void RestoreDefaultPointer() override {
    SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));
  }
  std::optional<std::string> AskForFile(const OpenFileRequestData& request) override;
  void OpenAddress(std::string_view address) override;
  void TellUser(std::string_view message) override;
  void DestroyWindow() override { ::DestroyWindow(handle()); }

 private:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

  void LoadPictures();
  void CreatePieces();
  void CreatePatternPanel();
  void CreateMusicPanel();
  void CreateFooter();
  void MakePanel(DialogPiece& piece, HWND parent, const Rect& rect, COLORREF colour);
  DialogPiece& MakeLabel(const DialogPiece& panel, const Rect& rect, std::string_view text,
                         COLORREF colour = kBlack);
  void DrawGradient();
  void DrawPatternFrames(HDC dc) const;
  void ShowPicture(DialogPiece& piece, HBITMAP picture, int state);

  SettingsDialog logic_;
  GdiFont label_font_;
  HCURSOR hand_ = nullptr;
  GdiBitmap tile_;
  std::array<GdiBitmap, 2> check_pictures_, option_pictures_;
  std::array<GdiBitmap, PatternCount> thumbnail_pictures_;

  DialogPiece background_, pattern_panel_, music_panel_;
  std::array<DialogPiece, PatternCount> thumbnails_;
  std::array<bool, PatternCount> frames_visible_{};
  DialogPiece random_mark_;
  std::array<DialogPiece, 3> option_marks_;
  std::array<DialogPiece*, 3> option_labels_{};
  DialogPiece* random_label_ = nullptr;
  DialogPiece* url_label_ = nullptr;
  DialogPiece file_label_;
  std::vector<std::unique_ptr<DialogPiece>> labels_;
  HWND track_list_ = nullptr;
  std::unique_ptr<DialogButton> save_button_, cancel_button_, file_button_;
};

bool Win32SettingsDialog::Create() {
  static const bool registered = RegisterWindowClass(
      {.name = kDialogClass,
       .cursor = LoadCursorA(nullptr, IDC_ARROW),
       .icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(VELKARO_RES_ICON)),
       .captioned = true});
  const int screen_width = GetSystemMetrics(SM_CXSCREEN);
  const int screen_height = GetSystemMetrics(SM_CYSCREEN);
  const DialogFrame frame = DialogFrameFromMetrics();
  const Rect outer = DialogWindowRect(screen_width, screen_height, frame);
  // No owner window: the dialog stands free even when started for another
  // window's settings.
  if (!registered ||
      !CreateCaptioned(kDialogClass, kDialogExStyle, kSettingsWindowTitle, kDialogStyle, outer.left,
                       outer.top, outer.width(), outer.height(), nullptr))
    return false;
  LoadPictures();
  CreatePieces();
  logic_.Load(screen_width, screen_height, frame);
  ShowWindow(handle(), SW_SHOWNORMAL);
  SetForegroundWindow(handle());
  return true;
}

void Win32SettingsDialog::RunMessageLoop() {
  // The dialog manager moves the focus among the buttons and the track list
  // on Tab and Shift+Tab (which the buttons' arrow keys send) and delivers
  // access keys.
  MSG message;
  while (IsWindow(handle()) && GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageA(handle(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

LRESULT Win32SettingsDialog::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CLOSE: logic_.Cancel(); return 0;
    case WM_DESTROY: logic_.Unload(); return 0;
    case WM_SIZE: DrawGradient(); return 0;
  }
  return Window::OnMessage(message, wparam, lparam);
}

void Win32SettingsDialog::LoadPictures() {
  // A picture missing from the program file leaves its piece as drawn
  // without it; the dialog works all the same.
  tile_.reset(LoadBitmapResource(VELKARO_RES_PANEL_TILE));
  check_pictures_[0].reset(LoadBitmapResource(VELKARO_RES_CHECK_OFF));
  check_pictures_[1].reset(LoadBitmapResource(VELKARO_RES_CHECK_ON));
  option_pictures_[0].reset(LoadBitmapResource(VELKARO_RES_OPTION_OFF));
  option_pictures_[1].reset(LoadBitmapResource(VELKARO_RES_OPTION_ON));
  for (int i = 0; i < PatternCount; ++i)
    thumbnail_pictures_[i].reset(LoadBitmapResource(VELKARO_RES_FIRST_THUMBNAIL + i));
  hand_ = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(VELKARO_RES_HAND_CURSOR));
  label_font_.reset(CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH, ToCp932(kLabelFontFace).c_str()));
}

void Win32SettingsDialog::MakePanel(DialogPiece& piece, HWND parent, const Rect& rect,
                                    COLORREF colour) {
  piece.Create(parent, nullptr, rect);
  piece.MakePanel(colour);
}

DialogPiece& Win32SettingsDialog::MakeLabel(const DialogPiece& panel, const Rect& rect,
                                            std::string_view text, COLORREF colour) {
  DialogPiece& label = *labels_.emplace_back(std::make_unique<DialogPiece>());
  label.Create(panel.handle(), &panel, rect);
  label.text = WideText(text);
  label.text_colour = colour;
  label.font = label_font_.get();
  return label;
}

void Win32SettingsDialog::CreatePieces() {
  MakePanel(background_, handle(), kBackgroundPanel, RGB(192, 192, 192));
  DrawGradient();
  MakePanel(pattern_panel_, background_.handle(), kPatternPanel, RGB(128, 128, 128));
  MakePanel(music_panel_, background_.handle(), kMusicPanel, RGB(128, 128, 128));
  CreatePatternPanel();
  CreateMusicPanel();
  CreateFooter();
}

// The white frame that a panel's title sits in.
void DrawTitleFrame(HDC dc) {
  const SelectedObject pen(dc, GetStockObject(WHITE_PEN));
  const SelectedObject brush(dc, GetStockObject(NULL_BRUSH));
  const Rect& frame = kPanelTitleFrameRect;
  Rectangle(dc, frame.left, frame.top, frame.right, frame.bottom);
}

void Win32SettingsDialog::CreatePatternPanel() {
  pattern_panel_.overlay = [this](HDC dc) { DrawPatternFrames(dc); };
  MakeLabel(pattern_panel_, kPanelTitleRect, kPatternPanelTitle, kWhite).text_format |= DT_CENTER;
  random_mark_.Create(pattern_panel_.handle(), &pattern_panel_, kRandomMarkRect);
  random_mark_.mark = Mark::Check;
  random_mark_.on_click = [this] { logic_.ToggleRandom(); };
  random_label_ = &MakeLabel(pattern_panel_, kRandomLabelRect, kRandomLabel, kWhite);
  random_label_->on_click = [this] { logic_.ToggleRandom(); };
  for (int i = 0; i < PatternCount; ++i) {
    DialogPiece& thumbnail = thumbnails_[i];
    thumbnail.Create(pattern_panel_.handle(), &pattern_panel_, ThumbnailRect(i));
    thumbnail.shown = thumbnail_pictures_[i].get();
    thumbnail.on_click = [this, i] { logic_.ChoosePattern(i); };
  }
}

void Win32SettingsDialog::DrawPatternFrames(HDC dc) const {
  const GdiPen red(CreatePen(PS_INSIDEFRAME, 2, RGB(255, 0, 0)));
  const SelectedObject pen(dc, red.get());
  const SelectedObject brush(dc, GetStockObject(NULL_BRUSH));
  for (int i = 0; i < PatternCount; ++i) {
    if (!frames_visible_[i]) continue;
    const Rect frame = FrameRect(i);
    Rectangle(dc, frame.left, frame.top, frame.right, frame.bottom);
  }
}

void Win32SettingsDialog::CreateMusicPanel() {
  MakeLabel(music_panel_, kPanelTitleRect, kMusicPanelTitle, kWhite).text_format |= DT_CENTER;
  for (int kind = 0; kind < 3; ++kind) {
    DialogPiece& mark = option_marks_[kind];
    mark.Create(music_panel_.handle(), &music_panel_, MusicKindMarkRect(kind));
    mark.mark = Mark::Option;
    mark.on_press = [this, kind] { logic_.ChooseMusicKind(kind); };
    option_labels_[kind] =
        &MakeLabel(music_panel_, MusicKindLabelRect(kind), MusicKindLabel(kind), kWhite);
    option_labels_[kind]->on_press = mark.on_press;
  }
  const Rect& list = kTrackListRect;
  track_list_ = CreateWindowExA(0, "COMBOBOX", "",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN,
                                list.left, list.top, list.width(), list.height(),
                                music_panel_.handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
  MakeLabel(music_panel_, kRepeatLabelRect, kRepeatLabel, kWhite);
  file_button_ = DialogButton::Create(music_panel_.handle(), kFileButtonRect, kFileButtonCaption,
                                      true, [this] { logic_.ChooseMusicFile(); });
  file_label_.Create(music_panel_.handle(), &music_panel_, kFileLabelRect);
  file_label_.font = label_font_.get();
  file_label_.text_colour = kWhite;
  file_label_.text_format = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_PATH_ELLIPSIS;
}

void Win32SettingsDialog::CreateFooter() {
  MakeLabel(background_, kCreditLineRect, kCreditLine, kWhite);
  url_label_ = &MakeLabel(background_, kWebAddressRect, kWebAddress, kWhite);
  url_label_->on_click = [this] { logic_.OpenWebPage(); };
  url_label_->cursor = hand_;
  save_button_ = DialogButton::Create(background_.handle(), kSaveButtonRect, kSaveCaption, false,
                                      [this] { logic_.Save(); });
  cancel_button_ = DialogButton::Create(background_.handle(), kCancelButtonRect, kCancelCaption,
                                        false, [this] { logic_.Cancel(); });
}

void Win32SettingsDialog::DrawGradient() {
  if (!background_.image()) return;
  RECT inner{};
  GetClientRect(background_.handle(), &inner);
  {
    const BitmapCanvas canvas(nullptr, background_.image());
    const auto levels = GradientLevels(inner.bottom);
    for (int y = 0; y < static_cast<int>(levels.size()); ++y) {
      const GdiPen row(CreatePen(PS_SOLID, 1, GradientColour(levels[y])));
      const SelectedObject pen(canvas.dc(), row.get());
      MoveToEx(canvas.dc(), 0, y, nullptr);
      LineTo(canvas.dc(), inner.right, y);
    }
  }
  InvalidateRect(background_.handle(), nullptr, TRUE);
}

void Win32SettingsDialog::TilePanel(DialogPanel which) {
  DialogPiece& panel = which == DialogPanel::Pattern ? pattern_panel_ : music_panel_;
  const SIZE tile = BitmapSize(tile_.get());
  {
    const BitmapCanvas canvas(nullptr, panel.image());
    for (const Point at : TileOrigins(panel.size().cx, panel.size().cy, tile.cx, tile.cy))
      Blit(canvas.dc(), at.x, at.y, tile_.get(), 0, 0, tile.cx, tile.cy);
    // The title frame belongs to the panel's picture, so that the title
    // label in it shows it through.
    DrawTitleFrame(canvas.dc());
  }
  panel.Invalidate();
}

void Win32SettingsDialog::ShowPicture(DialogPiece& piece, HBITMAP picture, int state) {
  piece.shown = picture;
  piece.mark_state = state;
  piece.Invalidate();
}

void Win32SettingsDialog::HandOutPointerAndFont() {
  for (DialogPiece& thumbnail : thumbnails_) thumbnail.cursor = hand_;
  for (int kind = 0; kind < 3; ++kind) {
    option_marks_[kind].cursor = hand_;
    option_labels_[kind]->cursor = hand_;
  }
  random_mark_.cursor = hand_;
  random_label_->cursor = hand_;
  // The track list is a system control: its panel answers for its pointer.
  music_panel_.cursor_child = track_list_;
  music_panel_.child_cursor = hand_;
  for (auto* button : {save_button_.get(), cancel_button_.get(), file_button_.get()})
    if (button) button->SetFontFace(kLabelFontFace);
  SendMessageA(track_list_, WM_SETFONT, reinterpret_cast<WPARAM>(label_font_.get()), FALSE);
}

// The size of the open-file record for this build: the requested size names
// the original record (76 bytes, without the fields Windows 2000 added) in
// its 32-bit layout, which a 64-bit program passes with its own pointer size.
// The dialog refuses a size it does not know.
DWORD OpenFileRecordSize(std::uint32_t size_in_32bit_layout) {
  constexpr DWORD kOriginalRecord =
      offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(OPENFILENAMEW::lpTemplateName);
  // Both character sets have the same layout.
  static_assert(kOriginalRecord ==
                offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(OPENFILENAMEA::lpTemplateName));
  static_assert(sizeof(void*) != 4 || kOriginalRecord == 76);
  return size_in_32bit_layout == 76 ? kOriginalRecord : size_in_32bit_layout;
}

// The request's fields, in either character set. The record points into
// filter, title and the buffers, so they must outlive it: the dialog reads
// them while it is open.
template <typename Record, typename Char, std::size_t N>
Record OpenFileRecord(const OpenFileRequestData& request, HWND owner,
                      const std::basic_string<Char>& filter, const std::basic_string<Char>& title,
                      std::array<Char, N>& file, std::array<Char, N>& file_title) {
  Record open{};
  open.lStructSize = OpenFileRecordSize(request.structure_size);
  open.hwndOwner = owner;
  open.hInstance = GetModuleHandleA(nullptr);
  open.lpstrFilter = filter.c_str();
  open.lpstrFile = file.data();
  open.nMaxFile = request.file_buffer_size;
  open.lpstrFileTitle = file_title.data();
  open.nMaxFileTitle = request.title_buffer_size;
  open.lpstrTitle = title.c_str();
  open.Flags = request.flags;
  return open;
}

constexpr std::size_t kFileBufferLength = 255;

// The 95/98 family: the dialog's texts as code page 932 bytes, and the path
// comes back in the system's code page.
std::optional<std::string> AskForFileAnsi(const OpenFileRequestData& request, HWND owner) {
  std::array<char, kFileBufferLength> file{}, title{};
  // Named, not temporaries: a temporary's text would be freed before the
  // dialog reads it, leaving it a garbled title and file-type list.
  const std::string filter = ToCp932(request.filter);
  const std::string dialog_title = ToCp932(request.dialog_title);
  OPENFILENAMEA open =
      OpenFileRecord<OPENFILENAMEA>(request, owner, filter, dialog_title, file, title);
  if (GetOpenFileNameA(&open) <= 0) return std::nullopt;
  file.back() = '\0';
  return std::string(file.data());
}

std::optional<std::string> Win32SettingsDialog::AskForFile(const OpenFileRequestData& request) {
  // Looked up, not linked: a 95/98 comdlg32 need not have it, and the
  // program must still load there. comdlg32 is loaded for GetOpenFileNameA.
  using GetOpenFileNameWFunction = BOOL(WINAPI*)(OPENFILENAMEW*);
  const auto get_open_file_name_w =
      LoadedSystemFunction<GetOpenFileNameWFunction>("comdlg32.dll", "GetOpenFileNameW");
  if (!HasUnicodeWindows() || !get_open_file_name_w) return AskForFileAnsi(request, handle());

  // The title and the filter read right under every ANSI code page this way.
  std::array<wchar_t, kFileBufferLength> file{}, title{};
  const std::wstring filter = WideText(request.filter);
  const std::wstring dialog_title = WideText(request.dialog_title);
  OPENFILENAMEW open =
      OpenFileRecord<OPENFILENAMEW>(request, handle(), filter, dialog_title, file, title);
  if (get_open_file_name_w(&open) <= 0) return std::nullopt;
  file.back() = L'\0';
  // The path is used with the ANSI entry points and saved as bytes, so it
  // must have its form in the system's code page and fit the buffer the
  // ANSI dialog would have filled. A name that does not is not taken, just
  // as a cancel, rather than kept as another file's name: the old choice
  // stays on screen.
  const std::optional<std::string> ansi = SystemAnsiFromWide(file.data());
  if (!ansi || ansi->size() >= kFileBufferLength) return std::nullopt;
  return ansi;
}

void Win32SettingsDialog::OpenAddress(std::string_view address) {
  SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)));  // IDC_WAIT
  const std::string target(address);
  ShellExecuteA(handle(), "open", target.c_str(), "", "", SW_SHOWNORMAL);
  RestoreDefaultPointer();
}

void Win32SettingsDialog::TellUser(std::string_view message) {
  // Drawn by the system, so it goes as wide text, as the caption does.
  MessageBoxW(handle(), WideText(message).c_str(), WideText(kSettingsWindowTitle).c_str(),
              MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

class SettingsDialogWindow {
 public:
  SettingsDialogWindow(Settings& settings, const SettingsFile& file) : dialog(settings, file) {}
  Win32SettingsDialog dialog;
};

void SettingsDialogWindowDeleter::operator()(SettingsDialogWindow* window) const {
  // The window's procedure reaches the dialog through the window, so the
  // window goes first.
  window->dialog.Destroy();
  std::default_delete<SettingsDialogWindow>()(window);
}

SettingsDialogHandle CreateSettingsDialog(Settings& settings, const SettingsFile& file) {
  SettingsDialogHandle window(std::make_unique<SettingsDialogWindow>(settings, file).release());
  if (!window->dialog.Create()) return nullptr;
  return window;
}

HWND SettingsDialogWindowOf(const SettingsDialogWindow& window) { return window.dialog.handle(); }

void DestroySettingsDialog(SettingsDialogHandle window) { window.reset(); }

void RunSettingsDialog(Settings& settings, const SettingsFile& file) {
  SettingsDialogHandle window = CreateSettingsDialog(settings, file);
  if (!window) return;
  window->dialog.RunMessageLoop();
  DestroySettingsDialog(std::move(window));
}

}  // namespace velkaro
