#include "controls/button_layout.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace velkaro {
namespace {

// Each character 6 pixels wide, each line 13 high; lines end at "\r\n".
struct FixedMeasurer final : TextMeasurer {
  mutable std::int32_t last_box_width = 0, last_box_height = 0;
  TextExtent Measure(std::string_view text, std::int32_t box_width,
                     std::int32_t box_height) const override {
    last_box_width = box_width;
    last_box_height = box_height;
    std::int32_t lines = 1, longest = 0, current = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text.substr(i, 2) == "\r\n") {
        ++lines;
        current = 0;
        ++i;
        continue;
      }
      longest = std::max(longest, current += 6);
    }
    return {longest, lines * 13};
  }
};

ButtonLook Look(std::int32_t w, std::int32_t h, std::string caption) {
  ButtonLook look;
  look.width = w;
  look.height = h;
  look.caption = std::move(caption);
  look.layout.right_slant_position = w;
  return look;
}

TEST(UsableExtent, SlantsGiveAThirdOfThemselvesToTheContent) {
  EXPECT_EQ(UsableExtentOf(ButtonShapeKind::LeftSlanted, 80, 21, 80).u, 14);
  EXPECT_EQ(UsableExtentOf(ButtonShapeKind::LeftSlanted, 80, 21, 80).p, 66);
  EXPECT_EQ(UsableExtentOf(ButtonShapeKind::RightSlanted, 80, 0, 59).v, 66);
  const UsableExtent both = UsableExtentOf(ButtonShapeKind::Parallelogram, 80, 21, 59);
  EXPECT_EQ(both.u, 14);
  EXPECT_EQ(both.v, 66);
  EXPECT_EQ(both.p, 52);
  EXPECT_EQ(UsableExtentOf(ButtonShapeKind::EllipseRimHiddenWhileHeld, 80, 0, 80).p, 80);
}

TEST(CaptionForDrawing, DoubleBarsBreakTheLine) {
  EXPECT_EQ(CaptionForDrawing("Play||Stop"), "Play\r\nStop");
  EXPECT_EQ(CaptionForDrawing("a|b|||c"), "a|b\r\n|c");
}

TEST(LayoutContent, CentresACaptionAndClampsItToTheMargin) {
  FixedMeasurer measurer;
  const ButtonLayout layout = LayoutContent(Look(73, 25, "Setting"), measurer);
  EXPECT_EQ(measurer.last_box_width, 61);
  EXPECT_EQ(layout.caption, (Rect{15, 6, 57, 19}));  // (73 − 42) ÷ 2, (25 − 13) ÷ 2
  ButtonLook wide = Look(40, 20, "Settings and more");
  EXPECT_EQ(LayoutContent(wide, measurer).caption.left, 6);
}

TEST(LayoutContent, TwoLineCaptionsAreMeasuredAsTwoLines) {
  FixedMeasurer measurer;
  const ButtonLayout layout = LayoutContent(Look(100, 40, "One||Two"), measurer);
  EXPECT_EQ(layout.caption.bottom - layout.caption.top, 26);
}

TEST(LayoutContent, ImageAboveTheCaption) {
  FixedMeasurer measurer;
  ButtonLook look = Look(100, 40, "Go");
  look.has_image = true;
  look.image_width = look.image_height = 16;
  look.picture_align = PictureAlignKind::TopCentre;
  const ButtonLayout layout = LayoutContent(look, measurer);
  // g = (40 − (13 + 16)) ÷ 2 = 5: the image at 5 (clamped to 6), the caption 5 + 16 + 2 down.
  EXPECT_EQ(measurer.last_box_height, 40 - 12 - 16);
  EXPECT_EQ(layout.caption.top, 23);
  EXPECT_EQ(layout.image, (Rect{42, 6, 58, 21}));
}

TEST(LayoutContent, ImageBesideTheCaption) {
  FixedMeasurer measurer;
  ButtonLook look = Look(100, 30, "Go");
  look.has_image = true;
  look.image_width = look.image_height = 16;
  look.picture_align = PictureAlignKind::LeftOfCaption;
  const ButtonLayout left_of_caption = LayoutContent(look, measurer);
  // x = 16 + 6 + (100 − 12 − 16 − 6) ÷ 2 = 55; image at 55 − 16 − 6.
  EXPECT_EQ(measurer.last_box_width, 100 - 16 - 12);
  EXPECT_EQ(left_of_caption.caption.left, 55);
  EXPECT_EQ(left_of_caption.image.left, 33);
  EXPECT_EQ(left_of_caption.image.top, 7);

  look.picture_align = PictureAlignKind::RightEdge;
  look.caption_align = CaptionAlignKind::Right;
  const ButtonLayout right_edge = LayoutContent(look, measurer);
  EXPECT_EQ(right_edge.caption.left, 100 - 12 - 16 - 12);
  EXPECT_EQ(right_edge.image.left, 100 - 16 - 6);
}

TEST(LayoutContent, LargeImagesTakeNoRoomFromTheCaption) {
  FixedMeasurer measurer;
  ButtonLook look = Look(100, 40, "Go");
  look.has_image = true;
  look.image_width = 32;
  look.image_height = 16;
  look.image_size = 48;
  LayoutContent(look, measurer);
  EXPECT_EQ(measurer.last_box_width, 88);
  EXPECT_EQ(measurer.last_box_height, 28);
}

}  // namespace
}  // namespace velkaro
