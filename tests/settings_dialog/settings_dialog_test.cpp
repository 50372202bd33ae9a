#include "settings_dialog/settings_dialog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "support/fake_profile_store.h"

namespace velkaro {
namespace {

using ::testing::ElementsAre;

// Keeps what each control shows and the order of the steps taken.
class RecordingView : public SettingsDialogView {
 public:
  void PlaceWindow(const Rect& outer) override { Log("place"), placed = outer; }
  void TilePanel(DialogPanel panel) override {
    Log(panel == DialogPanel::Pattern ? "tile pattern" : "tile music");
  }
  void ShowRandomPicture(int picture) override { Log("random"), random_picture = picture; }
  void ShowFrame(int pattern, bool visible) override { Log("frame"), frames.at(pattern) = visible; }
  void ShowOptionPicture(int kind, int picture) override {
    Log("option"), options.at(kind) = picture;
  }
  void EnableTrackList(bool enabled) override { Log("track list"), track_list_enabled = enabled; }
  void EnableFileButton(bool enabled) override {
    Log("file button"), file_button_enabled = enabled;
  }
  void FillTrackList(const std::vector<std::string>& e) override { Log("fill"), entries = e; }
  void SetTrackListText(const std::string& text) override { Log("track text"), track_text = text; }
  std::string TrackListText() override { return track_text; }
  void SetFileLabel(const std::string& path) override { Log("file label"), file_label = path; }
  void HandOutPointerAndFont() override { Log("pointer and font"); }
  std::optional<Point> PointerPosition() override { return pointer; }
  Rect WindowScreenRect() override { return placed; }
  void AnimateZoom(const ZoomRects& rects) override { Log("zoom"), zooms.push_back(rects); }
  void RestoreDefaultPointer() override { Log("default pointer"); }
  std::optional<std::string> AskForFile(const OpenFileRequestData& request) override {
    Log("ask"), asked_title = request.dialog_title;
    return chosen_file;
  }
  void OpenAddress(std::string_view address) override { opened = address; }
  void TellUser(std::string_view message) override { Log("tell"), told.emplace_back(message); }
  void DestroyWindow() override { Log("destroy"), ++destroyed; }

  // Consecutive repeats of a step count once, so that the 28 frames read as
  // one step.
  void Log(const std::string& step) {
    if (steps.empty() || steps.back() != step) steps.push_back(step);
  }
  void ClearLog() { steps.clear(); }
  int VisibleFrameCount() const {
    return static_cast<int>(std::count(frames.begin(), frames.end(), true));
  }

  std::vector<std::string> steps;
  Rect placed;
  int random_picture = -1;
  std::array<bool, PatternCount> frames{};
  std::array<int, 3> options{-1, -1, -1};
  bool track_list_enabled = true, file_button_enabled = true;
  std::vector<std::string> entries;
  std::string track_text, file_label, asked_title, opened;
  std::optional<Point> pointer = Point{300, 200};
  std::vector<ZoomRects> zooms;
  std::optional<std::string> chosen_file;
  int destroyed = 0;
  std::vector<std::string> told;
};

// The frame of the classic window metrics, 6 by 25 pixels in all.
constexpr DialogFrame kClassicFrame{3, 22, 3, 3};

class SettingsDialogTest : public ::testing::Test {
 protected:
  SettingsDialog Loaded() {
    SettingsDialog dialog(settings, view, SettingsFile{store, files, "C:\\s\\Velkaro.ini"});
    dialog.Load(1024, 768, kClassicFrame);
    view.ClearLog();
    return dialog;
  }
  std::string Stored(const std::string& key) {
    for (auto it = store.writes.rbegin(); it != store.writes.rend(); ++it)
      if (it->key == key) return it->value;
    return "<not written>";
  }

  Settings settings;
  RecordingView view;
  testing::FakeProfileStore store;
  testing::FakeFileProbe files;
};

TEST_F(SettingsDialogTest, LoadShowsTheStoredChoicesInOrderAndZoomsOpenFromThePointer) {
  settings = {
      .Rdm_Flag = 1, .Pattern_No = 9, .BGM_Kind = 1, .BGM_RepeatTrack = 4, .BGM_File = "C:\\m.mp3"};
  SettingsDialog dialog(settings, view, SettingsFile{store, files, "x"});
  dialog.Load(1024, 768, kClassicFrame);

  EXPECT_THAT(view.steps,
              ElementsAre("place", "tile pattern", "tile music", "random", "frame", "file button",
                          "track list", "option", "track list", "fill", "track text", "file label",
                          "pointer and font", "zoom", "default pointer"));
  EXPECT_EQ(view.placed, (Rect::At({206, 91}, {611, 494})));
  // Ticked random choice still marks the stored pattern.
  EXPECT_EQ(view.random_picture, 1);
  EXPECT_TRUE(view.frames[9]);
  EXPECT_EQ(view.VisibleFrameCount(), 1);
  EXPECT_THAT(view.options, ElementsAre(0, 1, 0));
  EXPECT_TRUE(view.track_list_enabled);
  EXPECT_FALSE(view.file_button_enabled);
  EXPECT_EQ(view.track_text, "4");
  EXPECT_EQ(view.file_label, "C:\\m.mp3");
  ASSERT_EQ(view.zooms.size(), 1u);
  EXPECT_EQ(view.zooms[0].from, (Rect::At({300, 200}, {0, 0})));
  EXPECT_EQ(view.zooms[0].to, view.placed);
  EXPECT_TRUE(store.writes.empty());
}

TEST_F(SettingsDialogTest, LoadShowsNothingChosenForValuesOutOfRange) {
  settings.Pattern_No = 28;
  settings.BGM_Kind = 3;
  view.pointer.reset();  // the pointer position could not be read
  Loaded();
  EXPECT_EQ(view.VisibleFrameCount(), 0);
  EXPECT_THAT(view.options, ElementsAre(0, 0, 0));
  EXPECT_FALSE(view.track_list_enabled);
  EXPECT_FALSE(view.file_button_enabled);
  EXPECT_EQ(view.zooms[0].from, (Rect::At({0, 0}, {0, 0})));
  EXPECT_EQ(view.track_text, "");  // track 0 reads as the blank entry
}

TEST(TrackList, BlankForTheWholeDiscThenEveryPossibleTrack) {
  const auto entries = TrackListEntries();
  ASSERT_EQ(entries.size(), 100u);
  EXPECT_EQ(entries[0], "");
  EXPECT_EQ(entries[1], "1");
  EXPECT_EQ(entries[99], "99");
  EXPECT_EQ(TrackText(0), "");
  EXPECT_EQ(TrackText(7), "7");
  EXPECT_EQ(TrackText(-3), "-3");
}

TEST_F(SettingsDialogTest, ChoosingAPatternMovesTheFrameAndSwitchesRandomOff) {
  settings.Rdm_Flag = 1;
  settings.Pattern_No = 3;
  auto dialog = Loaded();
  dialog.ChoosePattern(20);
  EXPECT_EQ(settings.Pattern_No, 20);
  EXPECT_EQ(settings.Rdm_Flag, 0);
  EXPECT_EQ(view.random_picture, 0);
  EXPECT_TRUE(view.frames[20]);
  EXPECT_EQ(view.VisibleFrameCount(), 1);
}

TEST_F(SettingsDialogTest, TogglingRandomTwiceRestoresItAndKeepsTheFrame) {
  settings.Pattern_No = 5;
  auto dialog = Loaded();
  dialog.ToggleRandom();
  EXPECT_EQ(settings.Rdm_Flag, 1);
  EXPECT_EQ(view.random_picture, 1);
  EXPECT_TRUE(view.frames[5]);
  dialog.ToggleRandom();
  EXPECT_EQ(settings.Rdm_Flag, 0);
  EXPECT_EQ(view.random_picture, 0);
}

TEST_F(SettingsDialogTest, AHandEditedRandomValueCountsAsTickedAndClearsOnToggle) {
  settings.Rdm_Flag = 7;
  auto dialog = Loaded();
  EXPECT_EQ(view.random_picture, 1);
  dialog.ToggleRandom();
  EXPECT_EQ(settings.Rdm_Flag, 0);
  EXPECT_EQ(view.random_picture, 0);
}

TEST_F(SettingsDialogTest, MusicKindsEnableTheirOwnControlsOnly) {
  settings.BGM_File = "C:\\old.wav";
  settings.BGM_RepeatTrack = 2;
  auto dialog = Loaded();
  dialog.ChooseMusicKind(1);
  EXPECT_THAT(view.options, ElementsAre(0, 1, 0));
  EXPECT_TRUE(view.track_list_enabled);
  EXPECT_FALSE(view.file_button_enabled);
  dialog.ChooseMusicKind(2);
  EXPECT_THAT(view.options, ElementsAre(0, 0, 1));
  EXPECT_FALSE(view.track_list_enabled);
  EXPECT_TRUE(view.file_button_enabled);
  dialog.ChooseMusicKind(0);
  EXPECT_THAT(view.options, ElementsAre(1, 0, 0));
  EXPECT_FALSE(view.track_list_enabled);
  EXPECT_FALSE(view.file_button_enabled);
  EXPECT_EQ(settings.BGM_Kind, 0);
  // The kind alone changes; the file and the track stay for a later choice.
  EXPECT_EQ(settings.BGM_File, "C:\\old.wav");
  EXPECT_EQ(settings.BGM_RepeatTrack, 2);
}

TEST_F(SettingsDialogTest, ChoosingAFileTakesItAndCancellingKeepsTheOldOne) {
  settings.BGM_File = "C:\\old.wav";
  auto dialog = Loaded();
  dialog.ChooseMusicFile();  // cancelled
  EXPECT_EQ(settings.BGM_File, "C:\\old.wav");
  EXPECT_EQ(view.file_label, "C:\\old.wav");
  view.chosen_file = "Z:\\tmp\\song.mp3";
  dialog.ChooseMusicFile();
  EXPECT_EQ(settings.BGM_File, "Z:\\tmp\\song.mp3");
  EXPECT_EQ(view.file_label, "Z:\\tmp\\song.mp3");
  EXPECT_EQ(view.asked_title, MusicFileRequest().dialog_title);
}

TEST_F(SettingsDialogTest, SettingWritesEveryChoiceThenZoomsClosedAndCloses) {
  auto dialog = Loaded();
  dialog.ChoosePattern(12);
  dialog.ChooseMusicKind(2);
  view.track_text = "5";
  dialog.Save();
  EXPECT_EQ(Stored("\xCA\xDF\xC0\xB0\xDD"), " 12");    // pattern
  EXPECT_EQ(Stored("\xD7\xDD\xC0\xDE\xD1"), " 0");     // random
  EXPECT_EQ(Stored("BGM\x8B\xE6\x95\xAA"), " 2");      // kind
  EXPECT_EQ(Stored("BGM\xD8\xCB\xDF\xB0\xC4"), " 5");  // repeat track
  EXPECT_EQ(Stored("BGM\xCC\xA7\xB2\xD9"), "");        // no file chosen: empty, not removed
  EXPECT_THAT(view.steps, ::testing::IsSupersetOf({"zoom", "destroy"}));
  EXPECT_EQ(view.steps.back(), "destroy");
  EXPECT_EQ(view.zooms.back().to, (Rect::At({300, 200}, {0, 0})));
  EXPECT_TRUE(dialog.closed());
}

TEST_F(SettingsDialogTest, ASaveThatCanBeMadeNowhereTellsTheUserAndKeepsTheDialogOpen) {
  files.unwritable.insert("C:\\s\\Velkaro.ini");  // and no folder of the user's own
  auto dialog = Loaded();
  dialog.ChoosePattern(12);
  dialog.Save();
  EXPECT_THAT(view.told, ElementsAre(std::string(kSaveFailedMessage)));
  EXPECT_THAT(view.steps, ElementsAre("frame", "random", "tell"))
      << "the choices stay on screen and nothing closes";
  EXPECT_FALSE(dialog.closed());

  files.unwritable.clear();
  dialog.Save();
  EXPECT_EQ(Stored("\xCA\xDF\xC0\xB0\xDD"), " 12");
  EXPECT_EQ(view.destroyed, 1);
}

TEST_F(SettingsDialogTest, CancelAndTheCloseBoxWriteNothingAndZoomOnce) {
  auto dialog = Loaded();
  dialog.ChoosePattern(3);
  dialog.ToggleRandom();
  dialog.Cancel();
  dialog.Unload();  // the window's own teardown follows the button
  dialog.Save();    // a late click on a closing window
  EXPECT_TRUE(store.writes.empty());
  EXPECT_EQ(view.zooms.size(), 2u);  // the opening one and one closing
  EXPECT_EQ(view.destroyed, 1);
}

TEST_F(SettingsDialogTest, TheWebPageOpensTheShownAddress) {
  auto dialog = Loaded();
  dialog.OpenWebPage();
  EXPECT_EQ(view.opened, kWebAddress);
}

}  // namespace
}  // namespace velkaro
