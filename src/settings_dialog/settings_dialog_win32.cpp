#include "settings_dialog/settings_dialog_win32.h"

#include <windows.h>
#include <shellapi.h>
#include <commdlg.h>

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "common/resource_ids.h"
#include "common/text_cp932.h"
#include "common/window_data_win32.h"
#include "settings_dialog/dialog_button_win32.h"
#include "settings_dialog/settings_dialog.h"
#include "settings/window_titles.h"

namespace velkaro {
namespace {

constexpr char kDialogClass[] = "Velkaro_P";
constexpr char kPieceClass[] = "Velkaro_P_Piece";
constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);

// A bitmap, font or other GDI object that goes with its owner.
struct GdiDeleter {
  void operator()(HGDIOBJ object) const {
    if (object) DeleteObject(object);
  }
};
template <typename Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiDeleter>;

HBITMAP LoadBitmapResource(int id) {
  return static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                         IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return {0, 0};
  return {info.bmWidth, info.bmHeight};
}

void Blit(HDC target, int x, int y, HBITMAP source, int sx, int sy, int width, int height) {
  HDC memory = CreateCompatibleDC(target);
  HGDIOBJ old = SelectObject(memory, source);
  BitBlt(target, x, y, width, height, memory, sx, sy, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
}

// The drawn stand-ins for a check box or option mark whose picture is not
// in the program file.
enum class Mark { None, Check, Option };

// One piece of the dialog: a panel, picture or label. What it shows lives in
// persistent pictures (its own, or the part of its panel's picture under
// it), so an ordinary repaint only copies them to the screen.
struct Piece {
  HWND window = nullptr;
  GdiObject<HBITMAP> image;      // its own persistent picture (panels)
  const Piece* backdrop = nullptr;  // or the panel whose picture shows through
  POINT offset{};                   // its place in that panel
  SIZE size{};
  HBITMAP shown = nullptr;  // a picture drawn over the background, not owned
  Mark mark = Mark::None;
  int mark_state = 0;
  std::string text;  // code page 932
  COLORREF text_colour = kBlack;
  UINT text_format = DT_LEFT | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX;
  HFONT font = nullptr;
  std::function<void(HDC)> overlay;
  std::function<void()> on_click;  // left button pressed and released over it
  std::function<void()> on_press;  // any mouse button pressed on it
  HCURSOR cursor = nullptr;
  HWND cursor_child = nullptr;  // a system control inside, and its pointer
  HCURSOR child_cursor = nullptr;
  bool pressed = false;

  void Paint(HDC dc) const;
  void PaintText(HDC dc) const;
  void DrawMark(HDC dc) const;
};

void Piece::Paint(HDC dc) const {
  if (backdrop && backdrop->image)
    Blit(dc, 0, 0, backdrop->image.get(), offset.x, offset.y, size.cx, size.cy);
  else if (image)
    Blit(dc, 0, 0, image.get(), 0, 0, size.cx, size.cy);
  if (shown) {
    const SIZE picture = BitmapSize(shown);
    Blit(dc, 0, 0, shown, 0, 0, picture.cx, picture.cy);
  } else {
    DrawMark(dc);
  }
  PaintText(dc);
  if (overlay) overlay(dc);
}

void Piece::PaintText(HDC dc) const {
  if (text.empty()) return;
  // The texts are code page 932 whatever the system's own code page is, so
  // they are turned into wide text with that code page for drawing.
  std::wstring wide(text.size(), L'\0');
  const int length = MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()),
                                         wide.data(), static_cast<int>(wide.size()));
  if (length <= 0) return;
  HGDIOBJ old_font = font ? SelectObject(dc, font) : nullptr;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, IsWindowEnabled(window) ? text_colour : RGB(96, 96, 96));
  RECT area{0, 0, size.cx, size.cy};
  DrawTextW(dc, wide.data(), length, &area, text_format);
  if (old_font) SelectObject(dc, old_font);
}

void Piece::DrawMark(HDC dc) const {
  if (mark == Mark::None) return;
  HGDIOBJ old_pen = SelectObject(dc, GetStockObject(BLACK_PEN));
  HGDIOBJ old_brush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
  if (mark == Mark::Check) {
    Rectangle(dc, 0, 0, 12, 12);
    if (mark_state) {
      const POINT tick[] = {{2, 6}, {5, 9}, {10, 2}};
      Polyline(dc, tick, 3);
    }
  } else {
    Ellipse(dc, 0, 0, 13, 13);
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    if (mark_state) Ellipse(dc, 4, 4, 9, 9);
  }
  SelectObject(dc, old_brush);
  SelectObject(dc, old_pen);
}

Piece* PieceOf(HWND window) {
  return WindowData<Piece>(window);
}

bool PointerOverPiece(HWND window, LPARAM position) {
  RECT client;
  GetClientRect(window, &client);
  const POINT p{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
  return PtInRect(&client, p) != 0;
}

bool SetPiecePointer(const Piece& piece, HWND under_pointer) {
  if (piece.cursor_child && piece.child_cursor &&
      (under_pointer == piece.cursor_child || IsChild(piece.cursor_child, under_pointer))) {
    SetCursor(piece.child_cursor);
    return true;
  }
  if (under_pointer == piece.window && piece.cursor) {
    SetCursor(piece.cursor);
    return true;
  }
  return false;
}

LRESULT CALLBACK PieceProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  Piece* piece = PieceOf(window);
  if (!piece) return DefWindowProcA(window, message, wparam, lparam);
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      piece->Paint(dc);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_SETCURSOR:
      if (SetPiecePointer(*piece, reinterpret_cast<HWND>(wparam))) return TRUE;
      break;
    case WM_LBUTTONDOWN:
      piece->pressed = true;
      SetCapture(window);
      if (piece->on_press) piece->on_press();
      return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (piece->on_press) piece->on_press();
      return 0;
    case WM_LBUTTONUP:
      if (piece->pressed) {
        piece->pressed = false;
        ReleaseCapture();
        // The click may close the dialog; nothing of the window is used after it.
        if (PointerOverPiece(window, lparam) && piece->on_click) piece->on_click();
      }
      return 0;
    case WM_CAPTURECHANGED:
      piece->pressed = false;
      return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

void RegisterClasses(WNDPROC dialog_procedure) {
  static const bool registered = [dialog_procedure] {
    WNDCLASSA piece{};
    piece.lpfnWndProc = PieceProc;
    piece.hInstance = GetModuleHandleA(nullptr);
    piece.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    piece.lpszClassName = kPieceClass;
    WNDCLASSA dialog = piece;
    dialog.lpfnWndProc = dialog_procedure;
    dialog.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(VELKARO_RES_ICON));
    dialog.lpszClassName = kDialogClass;
    return RegisterClassA(&piece) && RegisterClassA(&dialog);
  }();
  (void)registered;
}

RECT ToRect(const DialogRect& r) { return {r.left, r.top, r.right(), r.bottom()}; }

class Win32SettingsDialog final : public SettingsDialogView {
 public:
  Win32SettingsDialog(Settings& settings, const SettingsFile& file)
      : logic_(settings, *this, file) {}

  // Creates and shows the window; false when it cannot be created.
  bool Create();
  // Handles the window's messages until it has closed.
  void RunMessageLoop();
  // Destroys the window if it is still open.
  void Destroy() {
    if (IsWindow(window_)) ::DestroyWindow(window_);
  }
  HWND window() const { return IsWindow(window_) ? window_ : nullptr; }

  // SettingsDialogView
  void PlaceWindow(const DialogRect& outer) override {
    SetWindowPos(window_, nullptr, outer.left, outer.top, outer.width, outer.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  void TilePanel(DialogPanel panel) override;
  void ShowRandomPicture(int picture) override {
    ShowPicture(random_mark_, check_pictures_[picture & 1].get(), picture & 1);
  }
  void ShowFrame(int pattern, bool visible) override {
    frames_visible_[pattern] = visible;
    InvalidateRect(pattern_panel_.window, nullptr, FALSE);
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
    file_label_.text = ansi_path;
    InvalidateRect(file_label_.window, nullptr, FALSE);
  }
  void HandOutPointerAndFont() override;
  std::optional<DialogPoint> PointerPosition() override {
    POINT p;
    if (!GetCursorPos(&p)) return std::nullopt;
    return DialogPoint{p.x, p.y};
  }
  DialogRect WindowScreenRect() override {
    RECT r{};
    GetWindowRect(window_, &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
  }
  void AnimateZoom(const ZoomRects& rects) override {
    const RECT from = ToRect(rects.from), to = ToRect(rects.to);
    DrawAnimatedRects(window_, IDANI_CAPTION, &from, &to);
  }
  void RestoreDefaultPointer() override { SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32512))); }
  std::optional<std::string> AskForFile(const OpenFileRequestData& request) override;
  void OpenAddress(std::string_view address) override;
  void DestroyWindow() override { ::DestroyWindow(window_); }

 private:
  static LRESULT CALLBACK DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);

  void LoadPictures();
  void CreatePieces();
  void CreatePatternPanel();
  void CreateMusicPanel();
  void CreateFooter();
  void MakePanel(Piece& piece, HWND parent, const DialogRect& rect, COLORREF colour);
  Piece& MakePiece(Piece& piece, HWND parent, const Piece* backdrop, const DialogRect& rect);
  Piece& MakeLabel(const Piece& panel, const DialogRect& rect, std::string_view text,
                   COLORREF colour = kBlack);
  void DrawGradient();
  void DrawPatternFrames(HDC dc) const;
  void ShowPicture(Piece& piece, HBITMAP picture, int state);

  SettingsDialog logic_;
  HWND window_ = nullptr;
  GdiObject<HFONT> label_font_;
  HCURSOR hand_ = nullptr;
  GdiObject<HBITMAP> tile_;
  std::array<GdiObject<HBITMAP>, 2> check_pictures_, option_pictures_;
  std::array<GdiObject<HBITMAP>, PatternCount> thumbnail_pictures_;

  Piece background_, pattern_panel_, music_panel_;
  std::array<Piece, PatternCount> thumbnails_;
  std::array<bool, PatternCount> frames_visible_{};
  Piece random_mark_;
  std::array<Piece, 3> option_marks_;
  std::array<Piece*, 3> option_labels_{};
  Piece* random_label_ = nullptr;
  Piece* url_label_ = nullptr;
  Piece file_label_;
  std::vector<std::unique_ptr<Piece>> labels_;
  HWND track_list_ = nullptr;
  std::unique_ptr<DialogButton> save_button_, cancel_button_, file_button_;
};

bool Win32SettingsDialog::Create() {
  RegisterClasses(DialogProc);
  const std::string caption = ToCp932(kSettingsWindowTitle);
  // No owner window: the dialog stands free even when started for another
  // window's settings.
  window_ = CreateWindowExA(0, kDialogClass, caption.c_str(),
                            WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, 0, 0,
                            kBackgroundPanel.width + 6, kBackgroundPanel.height + 25, nullptr,
                            nullptr, GetModuleHandleA(nullptr), this);
  if (!window_) return false;
  LoadPictures();
  CreatePieces();
  logic_.Load(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  ShowWindow(window_, SW_SHOWNORMAL);
  SetForegroundWindow(window_);
  return true;
}

void Win32SettingsDialog::RunMessageLoop() {
  // The dialog manager moves the focus among the buttons and the track list
  // on Tab and Shift+Tab (which the buttons' arrow keys send) and delivers
  // access keys.
  MSG message;
  while (IsWindow(window_) && GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageA(window_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

LRESULT CALLBACK Win32SettingsDialog::DialogProc(HWND window, UINT message, WPARAM wparam,
                                                 LPARAM lparam) {
  if (message == WM_NCCREATE) KeepCreationParameter(window, lparam);
  auto* dialog = WindowData<Win32SettingsDialog>(window);
  if (!dialog || dialog->window_ != window) return DefWindowProcA(window, message, wparam, lparam);
  return dialog->Handle(message, wparam, lparam);
}

LRESULT Win32SettingsDialog::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CLOSE:
      logic_.Cancel();
      return 0;
    case WM_DESTROY:
      logic_.Unload();
      return 0;
    case WM_SIZE:
      DrawGradient();
      return 0;
  }
  return DefWindowProcA(window_, message, wparam, lparam);
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

void Win32SettingsDialog::MakePanel(Piece& piece, HWND parent, const DialogRect& rect,
                                    COLORREF colour) {
  MakePiece(piece, parent, nullptr, rect);
  // The dialog manager looks for tab stops inside a panel only when the
  // panel says it holds controls.
  SetWindowLongA(piece.window, GWL_EXSTYLE,
                 GetWindowLongA(piece.window, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
  HDC screen = GetDC(nullptr);
  piece.image.reset(CreateCompatibleBitmap(screen, rect.width, rect.height));
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory, piece.image.get());
  GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
  const RECT all{0, 0, rect.width, rect.height};
  FillRect(memory, &all, brush.get());
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

Piece& Win32SettingsDialog::MakePiece(Piece& piece, HWND parent, const Piece* backdrop,
                                      const DialogRect& rect) {
  piece.backdrop = backdrop;
  piece.offset = {rect.left, rect.top};
  piece.size = {rect.width, rect.height};
  piece.window = CreateWindowExA(0, kPieceClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                                 rect.left, rect.top, rect.width, rect.height, parent, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
  SetWindowLongPtrA(piece.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&piece));
  return piece;
}

Piece& Win32SettingsDialog::MakeLabel(const Piece& panel, const DialogRect& rect,
                                      std::string_view text, COLORREF colour) {
  Piece& label = *labels_.emplace_back(std::make_unique<Piece>());
  MakePiece(label, panel.window, &panel, rect);
  label.text = ToCp932(text);
  label.text_colour = colour;
  label.font = label_font_.get();
  return label;
}

void Win32SettingsDialog::CreatePieces() {
  MakePanel(background_, window_, kBackgroundPanel, RGB(192, 192, 192));
  DrawGradient();
  MakePanel(pattern_panel_, background_.window, kPatternPanel, RGB(128, 128, 128));
  MakePanel(music_panel_, background_.window, kMusicPanel, RGB(128, 128, 128));
  CreatePatternPanel();
  CreateMusicPanel();
  CreateFooter();
}

// The white frame that a panel's title sits in.
void DrawTitleFrame(HDC dc) {
  HGDIOBJ old_pen = SelectObject(dc, GetStockObject(WHITE_PEN));
  HGDIOBJ old_brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, 12, 8, 12 + 101, 8 + 21);
  SelectObject(dc, old_brush);
  SelectObject(dc, old_pen);
}

void Win32SettingsDialog::CreatePatternPanel() {
  pattern_panel_.overlay = [this](HDC dc) { DrawPatternFrames(dc); };
  MakeLabel(pattern_panel_, {12, 12, 101, 17}, kPatternPanelTitle, kWhite).text_format |= DT_CENTER;
  MakePiece(random_mark_, pattern_panel_.window, &pattern_panel_, {148, 12, 13, 13});
  random_mark_.mark = Mark::Check;
  random_mark_.on_click = [this] { logic_.ToggleRandom(); };
  random_label_ = &MakeLabel(pattern_panel_, {164, 12, 83, 13}, kRandomLabel, kWhite);
  random_label_->on_click = [this] { logic_.ToggleRandom(); };
  for (int i = 0; i < PatternCount; ++i) {
    Piece& thumbnail = MakePiece(thumbnails_[i], pattern_panel_.window, &pattern_panel_, ThumbnailRect(i));
    thumbnail.shown = thumbnail_pictures_[i].get();
    thumbnail.on_click = [this, i] { logic_.ChoosePattern(i); };
  }
}

void Win32SettingsDialog::DrawPatternFrames(HDC dc) const {
  GdiObject<HPEN> red(CreatePen(PS_INSIDEFRAME, 2, RGB(255, 0, 0)));
  HGDIOBJ old_pen = SelectObject(dc, red.get());
  HGDIOBJ old_brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  for (int i = 0; i < PatternCount; ++i) {
    if (!frames_visible_[i]) continue;
    const DialogRect frame = FrameRect(i);
    Rectangle(dc, frame.left, frame.top, frame.right(), frame.bottom());
  }
  SelectObject(dc, old_brush);
  SelectObject(dc, old_pen);
}

void Win32SettingsDialog::CreateMusicPanel() {
  MakeLabel(music_panel_, {12, 12, 101, 17}, kMusicPanelTitle, kWhite).text_format |= DT_CENTER;
  // Top to bottom: audio CD, none, music file.
  constexpr std::array<int, 3> kind_top{28, 12, 44};
  constexpr std::array<int, 3> label_width{23, 43, 60};
  for (int kind = 0; kind < 3; ++kind) {
    Piece& mark = MakePiece(option_marks_[kind], music_panel_.window, &music_panel_,
                            {124, kind_top[kind], 13, 13});
    mark.mark = Mark::Option;
    mark.on_press = [this, kind] { logic_.ChooseMusicKind(kind); };
    option_labels_[kind] = &MakeLabel(music_panel_, {140, kind_top[kind], label_width[kind], 13},
                                      MusicKindLabel(kind), kWhite);
    option_labels_[kind]->on_press = mark.on_press;
  }
  track_list_ = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN,
                                208, 8, 41, 200, music_panel_.window, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  MakeLabel(music_panel_, {252, 12, 66, 13}, kRepeatLabel, kWhite);
  file_button_ = DialogButton::Create(music_panel_.window, {208, 40, 41, 25}, kFileButtonCaption,
                                      true, [this] { logic_.ChooseMusicFile(); });
  MakePiece(file_label_, music_panel_.window, &music_panel_, {256, 40, 293, 33});
  file_label_.font = label_font_.get();
  file_label_.text_colour = kWhite;
  file_label_.text_format = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_PATH_ELLIPSIS;
}

void Win32SettingsDialog::CreateFooter() {
  MakeLabel(background_, {16, 412, 165, 13}, kCreditLine, kWhite);
  url_label_ = &MakeLabel(background_, {16, 428, 207, 13}, kWebAddress, kWhite);
  url_label_->on_click = [this] { logic_.OpenWebPage(); };
  url_label_->cursor = hand_;
  save_button_ = DialogButton::Create(background_.window, {400, 412, 89, 33}, kSaveCaption, false,
                                      [this] { logic_.Save(); });
  cancel_button_ = DialogButton::Create(background_.window, {492, 412, 89, 33}, kCancelCaption,
                                        false, [this] { logic_.Cancel(); });
}

void Win32SettingsDialog::DrawGradient() {
  if (!background_.image) return;
  RECT inner{};
  GetClientRect(background_.window, &inner);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory, background_.image.get());
  const auto levels = GradientLevels(inner.bottom);
  for (int y = 0; y < static_cast<int>(levels.size()); ++y) {
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, GradientColour(levels[y])));
    HGDIOBJ old_pen = SelectObject(memory, pen.get());
    MoveToEx(memory, 0, y, nullptr);
    LineTo(memory, inner.right, y);
    SelectObject(memory, old_pen);
  }
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  InvalidateRect(background_.window, nullptr, TRUE);
}

void Win32SettingsDialog::TilePanel(DialogPanel which) {
  Piece& panel = which == DialogPanel::Pattern ? pattern_panel_ : music_panel_;
  const SIZE tile = BitmapSize(tile_.get());
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory, panel.image.get());
  for (const DialogPoint at : TileOrigins(panel.size.cx, panel.size.cy, tile.cx, tile.cy))
    Blit(memory, at.x, at.y, tile_.get(), 0, 0, tile.cx, tile.cy);
  // The title frame belongs to the panel's picture, so that the title label
  // in it shows it through.
  DrawTitleFrame(memory);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  InvalidateRect(panel.window, nullptr, FALSE);
}

void Win32SettingsDialog::ShowPicture(Piece& piece, HBITMAP picture, int state) {
  piece.shown = picture;
  piece.mark_state = state;
  InvalidateRect(piece.window, nullptr, FALSE);
}

void Win32SettingsDialog::HandOutPointerAndFont() {
  for (Piece& thumbnail : thumbnails_) thumbnail.cursor = hand_;
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
// GetOpenFileNameA refuses a size it does not know.
DWORD OpenFileRecordSize(std::uint32_t size_in_32bit_layout) {
  constexpr DWORD kOriginalRecord =
      offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(OPENFILENAMEA::lpTemplateName);
  static_assert(sizeof(void*) != 4 || kOriginalRecord == 76);
  return size_in_32bit_layout == 76 ? kOriginalRecord : size_in_32bit_layout;
}

std::optional<std::string> Win32SettingsDialog::AskForFile(const OpenFileRequestData& request) {
  std::array<char, 255> file{}, title{};
  OPENFILENAMEA open{};
  open.lStructSize = OpenFileRecordSize(request.structure_size);
  open.hwndOwner = window_;
  open.hInstance = GetModuleHandleA(nullptr);
  open.lpstrFilter = request.filter.c_str();
  open.lpstrFile = file.data();
  open.nMaxFile = request.file_buffer_size;
  open.lpstrFileTitle = title.data();
  open.nMaxFileTitle = request.title_buffer_size;
  open.lpstrTitle = request.dialog_title.c_str();
  open.Flags = request.flags;
  if (GetOpenFileNameA(&open) <= 0) return std::nullopt;
  file.back() = '\0';
  return std::string(file.data());
}

void Win32SettingsDialog::OpenAddress(std::string_view address) {
  SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)));  // IDC_WAIT
  const std::string target(address);
  ShellExecuteA(window_, "open", target.c_str(), "", "", SW_SHOWNORMAL);
  RestoreDefaultPointer();
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

HWND SettingsDialogWindowOf(const SettingsDialogWindow& window) { return window.dialog.window(); }

void DestroySettingsDialog(SettingsDialogHandle window) { window.reset(); }

void RunSettingsDialog(Settings& settings, const SettingsFile& file) {
  SettingsDialogHandle window = CreateSettingsDialog(settings, file);
  if (!window) return;
  window->dialog.RunMessageLoop();
  DestroySettingsDialog(std::move(window));
}

}  // namespace velkaro
