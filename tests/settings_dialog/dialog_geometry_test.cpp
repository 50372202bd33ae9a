#include "settings_dialog/dialog_geometry.h"

#include <gtest/gtest.h>

#include "common/text_cp932.h"
#include "settings_dialog/dialog_texts.h"

namespace velkaro {
namespace {

// The frame of the classic window metrics: a 3-pixel dialog frame and a
// 19-pixel caption.
constexpr DialogFrame kClassicFrame{3, 22, 3, 3};

TEST(DialogWindowRect, CentresAcrossAndSitsAThirdDown) {
  EXPECT_EQ(DialogWindowRect(1024, 768, kClassicFrame), (Rect::At({206, 91}, {611, 494})));
  // Remainders are dropped: (801 - 611) / 2 = 95, (601 - 494) / 3 = 35.
  EXPECT_EQ(DialogWindowRect(801, 601, kClassicFrame), (Rect::At({95, 35}, {611, 494})));
  // A screen smaller than the window gives negative places, truncated toward zero.
  EXPECT_EQ(DialogWindowRect(600, 480, kClassicFrame), (Rect::At({-5, -4}, {611, 494})));
}

TEST(DialogWindowRect, GrowsWithTheFrameSoThatTheWholePanelShows) {
  // A taller caption and wider sides: the outer size is the panel plus
  // whatever surrounds it, each side as given, and the same placing rule
  // applies to that size: (1024 - 620) / 2 = 202, (768 - 507) / 3 = 87.
  const DialogFrame wide{7, 30, 8, 8};
  EXPECT_EQ(DialogWindowRect(1024, 768, wide), (Rect::At({202, 87}, {620, 507})));
  // No frame at all: the window is the panel.
  EXPECT_EQ(DialogWindowRect(1024, 768, {}), (Rect::At({209, 99}, {605, 469})));
}

TEST(ThumbnailLayout, SevenPerRowWithTheirFramesFourPixelsOut) {
  EXPECT_EQ(ThumbnailRect(0), (Rect::At({48, 36}, {60, 45})));
  EXPECT_EQ(ThumbnailRect(8), (Rect::At({120, 92}, {60, 45})));
  EXPECT_EQ(ThumbnailRect(27), (Rect::At({480, 204}, {60, 45})));
  for (int i = 0; i < PatternCount; ++i) {
    const Rect picture = ThumbnailRect(i), frame = FrameRect(i);
    EXPECT_EQ(picture.left - frame.left, 4);
    EXPECT_EQ(picture.top - frame.top, 4);
    EXPECT_EQ(frame.right - picture.right, 5);
    EXPECT_EQ(frame.bottom - picture.bottom, 4);
    EXPECT_LE(frame.right, kPatternPanel.width()) << i;
    EXPECT_LE(frame.bottom, kPatternPanel.height()) << i;
  }
}

TEST(TileOrigins, CoverThePanelColumnByColumnBothEndsIncluded) {
  const auto origins = TileOrigins(564, 277, 579, 21);
  ASSERT_EQ(origins.size(), 14u);  // y = 0, 21, ..., 273
  EXPECT_EQ(origins.front(), (Point{0, 0}));
  EXPECT_EQ(origins.back(), (Point{0, 273}));

  // The far edge itself gets a copy when the step lands on it.
  const auto exact = TileOrigins(20, 10, 10, 10);
  const std::vector<Point> expected{{0, 0}, {0, 10}, {10, 0}, {10, 10}, {20, 0}, {20, 10}};
  EXPECT_EQ(exact, expected);
}

TEST(TileOrigins, AMissingTileCoversNothingInsteadOfLoopingForever) {
  EXPECT_TRUE(TileOrigins(564, 277, 0, 0).empty());
  EXPECT_TRUE(TileOrigins(564, 277, 579, 0).empty());
}

TEST(GradientLevels, DarkAtTheEdgesBrightestHalfwayDown) {
  const auto levels = GradientLevels(469);
  ASSERT_EQ(levels.size(), 470u);
  EXPECT_EQ(levels[0], 0);
  // k = 469 / 3.142; the divisor is a little above pi, so the last row
  // comes just short of a half turn and is not quite dark.
  EXPECT_EQ(levels[469], 0);
  EXPECT_EQ(levels[234], 220);
  EXPECT_EQ(GradientColour(0), 0x1E0000u);
  EXPECT_EQ(GradientColour(220), 0xFADCDCu);
}

TEST(GradientLevels, EmptyPanelHasNoRows) { EXPECT_TRUE(GradientLevels(0).empty()); }

TEST(ZoomRects, RunFromThePointerToTheWindowAndBack) {
  const Rect window = Rect::At({206, 91}, {611, 494});
  const ZoomRects open = ZoomOpenRects({300, 200}, window);
  EXPECT_EQ(open.from, (Rect::At({300, 200}, {0, 0})));
  EXPECT_EQ(open.to, window);
  const ZoomRects close = ZoomCloseRects({300, 200}, window);
  EXPECT_EQ(close.from, window);
  EXPECT_EQ(close.to, open.from);
  EXPECT_EQ(ZoomOrigin(false, 300, 200), (Point{0, 0}));
  EXPECT_EQ(ZoomOrigin(true, -40, 70000), (Point{0, 0}));  // does not fit 16 bits
}

TEST(MusicFileRequest, AsksForMp3AndWavFilesWithTheJapaneseTitle) {
  using namespace std::string_literals;
  const OpenFileRequestData request = MusicFileRequest();
  EXPECT_EQ(request.structure_size, 76u);
  EXPECT_EQ(request.filter, "BGMﾌｧｲﾙ (MP3 WAV)\0*.MP3;*.WAV\0"s);
  EXPECT_EQ(request.file_buffer_size, 255u);
  EXPECT_EQ(request.title_buffer_size, 255u);
  EXPECT_EQ(request.dialog_title, "ﾌｧｲﾙを開く");
  EXPECT_EQ(request.flags, 0u);
  // Every character is one the conversions know, for the wide dialog and
  // for the ANSI one of the 95/98 family.
  EXPECT_EQ(ToUtf16(request.filter), u"BGMﾌｧｲﾙ (MP3 WAV)\0*.MP3;*.WAV\0"s);
  EXPECT_EQ(ToUtf16(request.dialog_title), u"ﾌｧｲﾙを開く");
  EXPECT_EQ(ToCp932(request.filter), "BGM\xCC\xA7\xB2\xD9 (MP3 WAV)\0*.MP3;*.WAV\0"s);
  EXPECT_EQ(ToCp932(request.dialog_title), "\xCC\xA7\xB2\xD9\x82\xF0\x8A\x4A\x82\xAD");
}

}  // namespace
}  // namespace velkaro
