#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "controls/button_control.h"
#include "controls/button_look.h"
#include "controls/property_store.h"
#include "support/fake_button_ports.h"

namespace velkaro {
namespace {

using testing::IndexColors;
using testing::MakePicture;
using testing::RecordingView;

class ButtonPersistenceTest : public ::testing::Test {
 protected:
  ButtonPersistenceTest() {
    ambient.back_color = 0x00C0C0C0;
    ambient.display_name = "hbButtons_H9";
  }

  // Saves source and loads the values into a fresh control.
  ButtonControl& RoundTrip(const ButtonControl& source) {
    store.Clear();
    source.WriteProperties(store);
    loaded.ReadProperties(store);
    return loaded;
  }

  FixedAmbientValues ambient;
  IndexColors colors;
  ButtonControl button{ambient, colors};
  ButtonControl loaded{ambient, colors};
  MemoryPropertyStore store;
};

TEST_F(ButtonPersistenceTest, NewControlWritesOnlyNonDefaultValuesInTableOrder) {
  button.SetCaption("Go");
  button.SetForeColor(kButtonTextColor);
  button.WriteProperties(store);
  // GradientColor (0), HoverForeColor (0) and the unset image size (0)
  // differ from their stored defaults; Font and cBack are always written.
  EXPECT_EQ(store.Keys(), (std::vector<std::string>{"Caption", "Font", "cFHover", "cGradient",
                                                    "ImgSize", "cBack"}));
}

TEST_F(ButtonPersistenceTest, EveryKeyIsWrittenInOrderWhenNothingIsDefault) {
  button.SetCaption("All");
  button.SetCaptionAlign(CaptionAlignKind::Left);
  button.SetButtonStyle(ButtonStyleKind::LightDoubleBevel);
  button.SetButtonShape(ButtonShapeKind::LeftSlanted);
  button.SetForeColor(0x00000001);
  button.SetHoverForeColor(0x00000002);
  button.SetBackColor(0x00000003);
  button.SetHoverBackColor(0x00000004);
  button.SetShowFocusRect(false);
  button.SetGradientMode(GradientModeKind::LeftToRight);
  button.SetGradientColor(0x00000005);
  button.SetCaptionStyle(CaptionStyleKind::Embossed);
  button.SetPictureAlign(PictureAlignKind::RightEdge);
  button.SetPicture(MakePicture(PictureKind::Bitmap, 20, 20));
  button.SetPictureSize(1);
  button.SetEnabled(false);
  button.SetMouseIcon(MakePicture(PictureKind::Icon, 32, 32));
  button.WriteProperties(store);
  EXPECT_EQ(store.Keys(),
            (std::vector<std::string>{"Caption",   "CapAlign", "BackStyle", "Shape",    "Font",
                                      "cFore",     "cFHover",  "cBHover",   "Focus",    "LockHover",
                                      "cGradient", "Gradient", "CapStyle",  "ImgAlign", "Image",
                                      "ImgSize",   "Enabled",  "cBack",     "mPointer", "mIcon"}));
}

TEST_F(ButtonPersistenceTest, RoundTripRestoresEveryProperty) {
  button.SetCaption("Sa&ve");
  button.SetButtonStyle(ButtonStyleKind::RoundedBlackFrame);
  button.SetButtonShape(ButtonShapeKind::RightSlanted);
  button.SetCaptionAlign(CaptionAlignKind::Right);
  button.SetCaptionStyle(CaptionStyleKind::Engraved);
  button.SetBackColor(0x00FFFFFF);
  button.SetForeColor(0);
  button.SetHoverForeColor(0x000000FF);
  button.SetGradientMode(GradientModeKind::TopToBottom);
  button.SetGradientColor(0x00102030);
  button.SetPictureSize(2);
  const ButtonPicture picture = MakePicture(PictureKind::Icon, 24, 24);
  button.SetPicture(picture);
  button.SetPictureAlign(PictureAlignKind::RightOfCaption);
  button.SetShowFocusRect(false);
  button.SetEnabled(false);
  button.SetFontStyle(2 | 4);
  button.SetMousePointer(MousePointerKind::Hourglass);

  const ButtonControl& back = RoundTrip(button);
  // The choices are stored as the numbers that forms saved earlier hold.
  EXPECT_EQ(ReadInt32(store, "BackStyle", -1), 7);
  EXPECT_EQ(ReadInt32(store, "Shape", -1), 2);
  EXPECT_EQ(ReadInt32(store, "CapAlign", -1), 1);
  EXPECT_EQ(ReadInt32(store, "CapStyle", -1), 2);
  EXPECT_EQ(ReadInt32(store, "Gradient", -1), 3);
  EXPECT_EQ(ReadInt32(store, "ImgAlign", -1), 3);
  EXPECT_EQ(ReadInt16(store, "mPointer", -1), 11);
  EXPECT_EQ(back.Caption(), "Sa&ve");
  EXPECT_EQ(back.AccessKey(), "v");
  EXPECT_EQ(back.ButtonStyle(), ButtonStyleKind::RoundedBlackFrame);
  EXPECT_EQ(back.ButtonShape(), ButtonShapeKind::RightSlanted);
  EXPECT_EQ(back.CaptionAlign(), CaptionAlignKind::Right);
  EXPECT_EQ(back.CaptionStyle(), CaptionStyleKind::Engraved);
  EXPECT_EQ(back.BackColor(), 0x00FFFFFFu);
  EXPECT_EQ(back.ForeColor(), 0u);
  EXPECT_EQ(back.HoverForeColor(), 0x000000FFu);
  EXPECT_EQ(back.HoverColorLocks(), button.HoverColorLocks());
  EXPECT_EQ(back.HoverBackColor(), button.HoverBackColor());
  EXPECT_EQ(back.GradientMode(), GradientModeKind::TopToBottom);
  EXPECT_EQ(back.GradientColor(), 0x00102030u);
  EXPECT_EQ(back.ImageSize(), 32);
  EXPECT_EQ(back.Picture(), picture);
  EXPECT_EQ(back.ImageWidth(), 24);
  EXPECT_TRUE(back.ImageIsIcon());
  EXPECT_EQ(back.PictureAlign(), PictureAlignKind::RightOfCaption);
  EXPECT_FALSE(back.ShowFocusRect());
  EXPECT_FALSE(back.Enabled());
  EXPECT_EQ(back.FontStyle(), 6);
  EXPECT_EQ(back.MousePointer(), MousePointerKind::Hourglass);
  EXPECT_FALSE(back.DelayDrawing());
}

TEST_F(ButtonPersistenceTest, DefaultValuedPropertiesAreNotWrittenAndLoadBack) {
  button.SetForeColor(kButtonTextColor);
  button.SetCaptionAlign(CaptionAlignKind::Left);
  button.SetPictureSize(2);
  button.WriteProperties(store);
  EXPECT_FALSE(store.Contains("cFore"));
  EXPECT_EQ(ReadInt32(store, "CapAlign", -1), 0);
  EXPECT_EQ(ReadInt16(store, "ImgSize", -1), 32);

  const ButtonControl& back = RoundTrip(button);
  EXPECT_EQ(back.ForeColor(), kButtonTextColor);
  EXPECT_EQ(back.CaptionAlign(), CaptionAlignKind::Left);
}

TEST_F(ButtonPersistenceTest, HoverBackDefaultsToTheBackColourJustRead) {
  store.Write("cBack", std::int32_t{0x00336699});
  loaded.ReadProperties(store);
  EXPECT_EQ(loaded.BackColor(), 0x00336699u);
  EXPECT_EQ(loaded.HoverBackColor(), 0x00336699u);
}

TEST_F(ButtonPersistenceTest, KeysAreReadWithoutRegardToCase) {
  store.Write("cBack", std::int32_t{0x00336699});
  store.Write("cBhover", std::int32_t{0x00112233});
  store.Write("CAPTION", std::string("&Cancel"));
  loaded.ReadProperties(store);
  EXPECT_EQ(loaded.HoverBackColor(), 0x00112233u);
  EXPECT_EQ(loaded.Caption(), "&Cancel");
  EXPECT_EQ(loaded.AccessKey(), "C");
}

TEST_F(ButtonPersistenceTest, EmptyStoreGivesTheDefaultsAndTheContainerColour) {
  loaded.ReadProperties(store);
  EXPECT_EQ(loaded.Caption(), "");  // a loaded control never keeps the marker
  EXPECT_EQ(loaded.BackColor(), 0x00C0C0C0u);
  EXPECT_EQ(loaded.HoverBackColor(), 0x00C0C0C0u);
  EXPECT_EQ(loaded.ForeColor(), kButtonTextColor);
  EXPECT_EQ(loaded.HoverForeColor(), kButtonTextColor);
  EXPECT_EQ(loaded.GradientColor(), kButtonFaceColor);
  EXPECT_EQ(loaded.CaptionAlign(), CaptionAlignKind::Centre);
  EXPECT_EQ(loaded.ImageSize(), 16);
  EXPECT_TRUE(loaded.Enabled());
  EXPECT_TRUE(loaded.ShowFocusRect());
}

TEST_F(ButtonPersistenceTest, DamagedValuesFallBackToDefaults) {
  store.Write("BackStyle", std::int32_t{42});
  store.Write("Shape", std::int32_t{-3});
  store.Write("CapAlign", std::string("left"));
  store.Write("ImgSize", std::int16_t{17});
  store.Write("mPointer", std::int32_t{70000});
  store.Write("Gradient", std::int32_t{2});
  loaded.ReadProperties(store);
  EXPECT_EQ(loaded.ButtonStyle(), ButtonStyleKind::ClassicBevel);
  EXPECT_EQ(loaded.ButtonShape(), ButtonShapeKind::Rectangle);
  EXPECT_EQ(loaded.CaptionAlign(), CaptionAlignKind::Centre);
  EXPECT_EQ(loaded.ImageSize(), 16);
  EXPECT_EQ(loaded.MousePointer(), MousePointerKind::Default);
  EXPECT_EQ(loaded.GradientMode(), GradientModeKind::RightToLeft);
}

// A stored picture's stated size is whatever the store held; the drawing
// look must still tell an image from none without overflowing.
TEST_F(ButtonPersistenceTest, PictureOfExtremeStatedSizeStillCountsAsAnImage) {
  store.Write("Image",
              MakePicture(PictureKind::Bitmap, std::numeric_limits<std::int32_t>::max(), 1));
  loaded.ReadProperties(store);
  EXPECT_TRUE(LookOf(loaded, 80, 24).has_image);
  store.Write("Image",
              MakePicture(PictureKind::Bitmap, std::numeric_limits<std::int32_t>::min(), -1));
  loaded.ReadProperties(store);
  EXPECT_FALSE(LookOf(loaded, 80, 24).has_image);
}

TEST_F(ButtonPersistenceTest, LoadingDrawsOnceAfterPreparingResources) {
  RecordingView view;
  loaded.SetView(&view);
  view.calls.clear();
  store.Write("Caption", std::string("OK"));
  loaded.ReadProperties(store);
  EXPECT_EQ(view.Count("Redraw"), 1);
  EXPECT_EQ(view.calls.back(), "Redraw");
  EXPECT_EQ(view.Count("Picture"), 1);
  EXPECT_EQ(view.Count("Font"), 1);
  EXPECT_GE(view.Count("Colours"), 1);
  EXPECT_EQ(view.Count("Offscreen"), 1);
}

TEST(DialogButtonValuesTest, HoldsTheDialogsLook) {
  const MemoryPropertyStore store = DialogButtonValues("...", /*bold=*/true);
  EXPECT_EQ(ReadText(store, "Caption", ""), "...");
  EXPECT_EQ(ReadInt32(store, "BackStyle", -1), 2);
  EXPECT_EQ(ReadInt32(store, "CapAlign", 2), 2);
  EXPECT_EQ(ReadInt32(store, "cBack", -1), 0x00FFFFFF);
  EXPECT_EQ(ReadInt32(store, "cFore", -1), 0);
  EXPECT_EQ(ReadInt32(store, "cFHover", -1), 0);
  EXPECT_EQ(ReadInt32(store, "cGradient", -1), 0);
  EXPECT_TRUE(ReadFont(store, "Font", {}).Bold());
  EXPECT_FALSE(ReadFont(DialogButtonValues("Setting", false), "Font", {}).Bold());

  const FixedAmbientValues ambient;
  const IndexColors colors;
  ButtonControl button(ambient, colors);
  button.ReadProperties(store);
  EXPECT_EQ(button.HoverBackColor(), 0x00FFFFFFu);
  EXPECT_EQ(button.HoverColorLocks(), 0);
  EXPECT_EQ(button.GradientMode(), GradientModeKind::None);
}

TEST(MemoryPropertyStoreTest, RewriteKeepsThePlaceAndTakesTheNewSpelling) {
  MemoryPropertyStore store;
  store.Write("cBack", std::int32_t{1});
  store.Write("Focus", false);
  store.Write("CBACK", std::int32_t{2});
  EXPECT_EQ(store.Keys(), (std::vector<std::string>{"CBACK", "Focus"}));
  EXPECT_EQ(ReadInt32(store, "cback", 0), 2);
}

TEST(MemoryPropertyStoreTest, TypedReadsConvertNumbersAndRefuseTheRest) {
  MemoryPropertyStore store;
  store.Write("Small", std::int16_t{-5});
  store.Write("Big", std::int32_t{40000});
  store.Write("Flag", true);
  store.Write("Text", std::string("7"));
  EXPECT_EQ(ReadInt32(store, "Small", 0), -5);
  EXPECT_EQ(ReadInt16(store, "Big", 9), 9);  // does not fit
  EXPECT_EQ(ReadInt32(store, "Flag", 0), -1);
  EXPECT_FALSE(ReadBool(store, "Small", false) == false);
  EXPECT_EQ(ReadInt32(store, "Text", 3), 3);
  EXPECT_EQ(ReadText(store, "Big", "none"), "none");
  EXPECT_FALSE(ReadPicture(store, "Text", {}));
  EXPECT_TRUE(ReadBool(store, "Missing", true));
}

}  // namespace
}  // namespace velkaro
