#include "controls/button_control.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/fake_button_ports.h"

namespace velkaro {
namespace {

using testing::IndexColors;
using testing::MakePicture;
using testing::RecordingChanges;
using testing::RecordingView;

class ButtonControlTest : public ::testing::Test {
 protected:
  ButtonControlTest() {
    ambient.display_name = "hbButtons_H1";
    button.SetView(&view);
    button.SetChangeListener(&changes);
    view.calls.clear();
  }

  void EnterDesigner(bool is_default = false) {
    ambient.user_mode = false;
    ambient.display_as_default = is_default;
    button.OnShow();
    view.calls.clear();
  }

  FixedAmbientValues ambient;
  IndexColors colors;
  ButtonControl button{ambient, colors};
  RecordingView view;
  RecordingChanges changes;
};

TEST_F(ButtonControlTest, NewControlHasCreationValues) {
  EXPECT_EQ(button.Caption(), kNewControlMarker);
  EXPECT_EQ(button.CaptionAlign(), CaptionAlignKind::Centre);
  EXPECT_EQ(button.BackColor(), kButtonFaceColor);
  EXPECT_EQ(button.HoverBackColor(), kButtonFaceColor);
  EXPECT_EQ(button.HoverColorLocks(), 0);
  EXPECT_EQ(button.GradientColor(), 0u);
  EXPECT_TRUE(button.ShowFocusRect());
  EXPECT_TRUE(button.Enabled());
  EXPECT_FALSE(button.ResetDefaultColors());
}

// Each ranged property: every value in range is taken and notified under its
// key; the values just outside are ignored without a notification.
struct RangedProperty {
  const char* key;
  std::function<void(ButtonControl&, std::int32_t)> set;
  std::function<std::int32_t(ButtonControl&)> get;
  std::int32_t high;
};

// A property of a closed set, set and read by its number.
template <typename Kind>
RangedProperty Ranged(const char* key, void (ButtonControl::*set)(Kind),
                      Kind (ButtonControl::*get)() const) {
  return {key, [set](ButtonControl& b, std::int32_t v) { (b.*set)(static_cast<Kind>(v)); },
          [get](ButtonControl& b) { return std::int32_t(NumberOf((b.*get)())); },
          std::int32_t(NumberOf(LastOf(Kind{})))};
}

TEST_F(ButtonControlTest, RangedPropertiesTakeTheirRangeAndIgnoreTheRest) {
  const RangedProperty properties[] = {
      Ranged("BackStyle", &ButtonControl::SetButtonStyle, &ButtonControl::ButtonStyle),
      Ranged("CapAlign", &ButtonControl::SetCaptionAlign, &ButtonControl::CaptionAlign),
      Ranged("CapStyle", &ButtonControl::SetCaptionStyle, &ButtonControl::CaptionStyle),
      Ranged("Shape", &ButtonControl::SetButtonShape, &ButtonControl::ButtonShape),
      Ranged("ImgAlign", &ButtonControl::SetPictureAlign, &ButtonControl::PictureAlign),
      Ranged("Gradient", &ButtonControl::SetGradientMode, &ButtonControl::GradientMode),
      {"ImgSize", &ButtonControl::SetPictureSize, &ButtonControl::PictureSize, 4},
  };
  for (const auto& p : properties) {
    SCOPED_TRACE(p.key);
    for (std::int32_t v = p.high; v >= 0; --v) {
      changes.keys.clear();
      p.set(button, v);
      // A parallelogram forces a centred caption, so CaptionAlign is read back first.
      EXPECT_EQ(p.get(button), v);
      EXPECT_TRUE(changes.Saw(p.key));
    }
    for (std::int32_t bad : {-1, p.high + 1, 1000}) {
      changes.keys.clear();
      view.calls.clear();
      p.set(button, bad);
      EXPECT_EQ(p.get(button), 0);
      EXPECT_TRUE(changes.keys.empty());
      EXPECT_TRUE(view.calls.empty());
    }
  }
}

TEST_F(ButtonControlTest, ButtonStyleRebuildsRegionLayoutColoursAndDraws) {
  button.SetButtonStyle(ButtonStyleKind::ShadedFace);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"Region", "Layout", "Colours", "Redraw"}));
}

TEST_F(ButtonControlTest, CaptionStyleRedrawsOnlyAVisibleCaption) {
  button.SetCaption("");
  view.calls.clear();
  button.SetCaptionStyle(CaptionStyleKind::Embossed);
  EXPECT_TRUE(view.calls.empty());
  button.SetCaption("OK");
  view.calls.clear();
  button.SetCaptionStyle(CaptionStyleKind::Engraved);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"Layout", "Redraw"}));
}

TEST_F(ButtonControlTest, AccessKeyIsTheCharacterAfterTheLastSingleAmpersand) {
  button.SetCaption("Salt && pepper e&xtra");
  EXPECT_EQ(button.AccessKey(), "x");
  button.SetCaption("Fish && chips");  // only a pair: the key stays
  EXPECT_EQ(button.AccessKey(), "x");
  button.SetCaption("&Save&&&&");  // the trailing run is two pairs
  EXPECT_EQ(button.AccessKey(), "S");
  button.SetCaption("A&&&B");  // a pair, then a marker
  EXPECT_EQ(button.AccessKey(), "B");
  button.SetCaption("&\xE8\xA8\xAD\xE5\xAE\x9A");  // a whole multi-byte character
  EXPECT_EQ(button.AccessKey(), "\xE8\xA8\xAD");
  button.SetCaption("End&");
  EXPECT_EQ(button.AccessKey(), "");
  EXPECT_EQ(button.Caption(), "End&");  // stored unchanged
}

TEST_F(ButtonControlTest, ParallelogramCentresTheCaptionAndDrawsOnce) {
  button.SetCaptionAlign(CaptionAlignKind::Left);
  view.calls.clear();
  button.SetButtonShape(ButtonShapeKind::Parallelogram);
  EXPECT_EQ(button.CaptionAlign(), CaptionAlignKind::Centre);
  EXPECT_EQ(view.Count("Redraw"), 1);
  EXPECT_FALSE(button.DelayDrawing());
  button.SetCaptionAlign(CaptionAlignKind::Right);  // still allowed afterwards
  EXPECT_EQ(button.CaptionAlign(), CaptionAlignKind::Right);
}

TEST_F(ButtonControlTest, SideCaptionRefusedWhileImageIsAboveOrBelow) {
  button.SetPictureAlign(PictureAlignKind::BottomCentre);
  button.SetCaptionAlign(CaptionAlignKind::Right);  // no picture: accepted
  EXPECT_EQ(button.CaptionAlign(), CaptionAlignKind::Right);
  button.SetPictureAlign(PictureAlignKind::BottomCentre);  // resets to centre
  EXPECT_EQ(button.CaptionAlign(), CaptionAlignKind::Centre);
  button.SetPicture(MakePicture(PictureKind::Bitmap, 16, 16));
  button.SetCaptionAlign(CaptionAlignKind::Right);
  EXPECT_EQ(button.CaptionAlign(), CaptionAlignKind::Centre);
  EXPECT_TRUE(view.messages.empty());  // run time: silent

  EnterDesigner();
  button.SetCaptionAlign(CaptionAlignKind::Left);
  EXPECT_EQ(button.CaptionAlign(), CaptionAlignKind::Centre);
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0],
            "|When button images are aligned top/bottom center, \r\n"
            "button captions can only be center aligned");
}

TEST_F(ButtonControlTest, PictureSizeKeepsPixelsAndPictureReadsItsFacts) {
  EXPECT_EQ(button.ImageSize(), 0);
  EXPECT_EQ(button.PictureSize(), 0);  // reading takes 0 as 16
  EXPECT_EQ(button.ImageSize(), 16);
  button.SetPictureSize(2);
  EXPECT_EQ(button.ImageSize(), 32);
  button.SetPictureSize(7);
  EXPECT_EQ(button.ImageSize(), 32);

  button.SetPicture(MakePicture(PictureKind::Icon, 32, 24));
  EXPECT_EQ(button.ImageWidth(), 32);
  EXPECT_EQ(button.ImageHeight(), 24);
  EXPECT_TRUE(button.ImageIsIcon());
  button.SetPicture({});
  EXPECT_EQ(button.ImageWidth() + button.ImageHeight(), 0);
  EXPECT_FALSE(button.ImageIsIcon());
}

TEST_F(ButtonControlTest, SettingAPictureGivesAnUnsetImageSize16) {
  button.SetPicture(MakePicture(PictureKind::Bitmap, 10, 10));
  EXPECT_EQ(button.ImageSize(), 16);
}

// --- Hover colour locks -------------------------------------------------------

TEST_F(ButtonControlTest, DifferentHoverColoursReleaseTheirLocks) {
  button.SetHoverBackColor(0x00112233);
  EXPECT_EQ(button.HoverColorLocks(), 1);
  button.SetHoverForeColor(0x00445566);
  EXPECT_EQ(button.HoverColorLocks(), 3);

  button.SetHoverColorLocks(0);
  button.SetHoverForeColor(0x00445566);
  EXPECT_EQ(button.HoverColorLocks(), 2);
  button.SetHoverBackColor(0x00112233);
  EXPECT_EQ(button.HoverColorLocks(), 3);
}

TEST_F(ButtonControlTest, HoverColourEqualToNormalKeepsTheLock) {
  button.SetForeColor(0x00000080);
  button.SetHoverForeColor(0x00000001);
  button.SetHoverColorLocks(0);  // ties again: hover fore = fore
  EXPECT_EQ(button.HoverForeColor(), 0x00000080u);
  button.SetHoverBackColor(button.BackColor());
  EXPECT_EQ(button.HoverColorLocks(), 0);
}

TEST_F(ButtonControlTest, TiedHoverColoursFollowTheNormalColours) {
  button.SetForeColor(0x000000FF);
  EXPECT_EQ(button.HoverForeColor(), 0x000000FFu);
  button.SetBackColor(0x00FFFFFF);
  EXPECT_EQ(button.HoverBackColor(), 0x00FFFFFFu);
  EXPECT_EQ(button.HoverColorLocks(), 0);

  // The tied back colour now follows the gradient colour.
  button.SetGradientMode(GradientModeKind::RightToLeft);
  EXPECT_EQ(button.HoverBackColor(), button.GradientColor());
  button.SetGradientColor(0x00123456);
  EXPECT_EQ(button.HoverBackColor(), 0x00123456u);
  EXPECT_EQ(button.HoverColorLocks(), 0);
  button.SetGradientMode(GradientModeKind::None);
  EXPECT_EQ(button.HoverBackColor(), 0x00FFFFFFu);
}

TEST_F(ButtonControlTest, FreeHoverColoursStayPut) {
  button.SetHoverColorLocks(3);
  const ColorRef fore = button.HoverForeColor();
  const ColorRef back = button.HoverBackColor();
  button.SetForeColor(0x000000FF);
  button.SetBackColor(0x00FFFFFF);
  button.SetGradientMode(GradientModeKind::LeftToRight);
  button.SetGradientColor(0x00010203);
  EXPECT_EQ(button.HoverForeColor(), fore);
  EXPECT_EQ(button.HoverBackColor(), back);

  button.SetHoverColorLocks(1);  // only the fore colour tied
  EXPECT_EQ(button.HoverForeColor(), 0x000000FFu);
  EXPECT_EQ(button.HoverBackColor(), back);
}

TEST_F(ButtonControlTest, GradientColourRedrawsOnlyWithAGradient) {
  button.SetGradientColor(0x00000010);
  EXPECT_EQ(view.Count("Redraw"), 0);
  EXPECT_EQ(button.HoverBackColor(), kButtonFaceColor);  // no gradient: not tied to it
  button.SetGradientMode(GradientModeKind::BottomToTop);
  view.calls.clear();
  button.SetGradientColor(0x00000020);
  EXPECT_EQ(view.Count("Redraw"), 1);
}

TEST_F(ButtonControlTest, HoverColorLocksNotifiesAndDoesNotRedraw) {
  button.SetHoverColorLocks(0);
  EXPECT_EQ(changes.keys, (std::vector<std::string>{"cBHover", "cFHover", "LockHover"}));
  EXPECT_EQ(view.Count("Redraw"), 0);
  EXPECT_EQ(view.Count("Colours"), 1);
}

TEST_F(ButtonControlTest, ResetDefaultColorsOnlyInADesigner) {
  button.SetBackColor(0x00FFFFFF);
  button.SetForeColor(0);
  button.SetGradientMode(GradientModeKind::RightToLeft);
  button.SetHoverBackColor(0x00000001);
  button.SetResetDefaultColors(true);  // run time: nothing
  EXPECT_EQ(button.BackColor(), 0x00FFFFFFu);

  EnterDesigner();
  button.SetResetDefaultColors(true);
  EXPECT_EQ(button.BackColor(), kButtonFaceColor);
  EXPECT_EQ(button.ForeColor(), kButtonTextColor);
  EXPECT_EQ(button.GradientColor(), kButtonFaceColor);
  EXPECT_EQ(button.GradientMode(), GradientModeKind::None);
  EXPECT_EQ(button.HoverColorLocks(), 0);
  EXPECT_EQ(button.HoverBackColor(), kButtonFaceColor);
  EXPECT_EQ(button.HoverForeColor(), kButtonTextColor);
  EXPECT_FALSE(button.DelayDrawing());
  EXPECT_TRUE(changes.Saw("cBack"));
  EXPECT_FALSE(button.ResetDefaultColors());
}

// --- Other setters --------------------------------------------------------------

TEST_F(ButtonControlTest, DelayDrawingHoldsRedrawsUntilCleared) {
  button.SetDelayDrawing(true);
  button.SetCaption("One");
  button.SetButtonStyle(ButtonStyleKind::ThinBevel);
  button.Refresh();
  EXPECT_EQ(view.Count("Redraw"), 0);
  button.SetDelayDrawing(false);
  EXPECT_EQ(view.Count("Redraw"), 1);
}

TEST_F(ButtonControlTest, EnabledActsOnlyOnAChange) {
  button.SetEnabled(true);
  EXPECT_TRUE(view.calls.empty());
  button.SetEnabled(false);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"Disable", "Redraw"}));
  button.SetButtonStyle(ButtonStyleKind::GreyEtched);
  view.calls.clear();
  button.SetEnabled(true);  // this style's corner cut depends on it
  EXPECT_EQ(view.calls, (std::vector<std::string>{"Enable", "Region", "Layout", "Redraw"}));
}

TEST_F(ButtonControlTest, ShowFocusRectClearsTheFocusMarkAtRunTime) {
  button.SetStateFlags(kStateFocus | kStateOver);
  button.SetShowFocusRect(false);
  EXPECT_EQ(button.StateFlags(), kStateOver);
  EXPECT_EQ(view.Count("Redraw"), 1);
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(ButtonControlTest, ShowFocusRectOnADefaultButtonInADesignerExplains) {
  EnterDesigner(/*is_default=*/true);
  button.SetShowFocusRect(false);
  EXPECT_FALSE(button.ShowFocusRect());
  EXPECT_EQ(button.StateFlags(), kStateFocus);
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_NE(view.messages[0].find("ONLY while in design mode, \r\nbut will not"),
            std::string::npos);
}

TEST_F(ButtonControlTest, MouseIconTakesOnlyIconsAndCursors) {
  button.SetMouseIcon(MakePicture(PictureKind::Bitmap, 32, 32));
  EXPECT_FALSE(button.MouseIcon());
  EXPECT_EQ(button.MousePointer(), MousePointerKind::Default);
  EXPECT_TRUE(view.messages.empty());

  button.SetMouseIcon(MakePicture(PictureKind::Cursor, 32, 32));
  EXPECT_TRUE(button.MouseIcon());
  EXPECT_EQ(button.MousePointer(), MousePointerKind::Custom);

  EnterDesigner();
  button.SetMouseIcon(MakePicture(PictureKind::Bitmap, 32, 32));
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].substr(0, 30), "Select .ico Or .cur Files Only");
  EXPECT_TRUE(button.MouseIcon().IsIconLike());
}

TEST_F(ButtonControlTest, MousePointerIgnoresValuesTheWindowRefuses) {
  button.SetMousePointer(MousePointerKind::Hourglass);
  EXPECT_EQ(button.MousePointer(), MousePointerKind::Hourglass);
  button.SetMousePointer(static_cast<MousePointerKind>(16));
  button.SetMousePointer(static_cast<MousePointerKind>(50));
  button.SetMousePointer(static_cast<MousePointerKind>(-1));
  EXPECT_EQ(button.MousePointer(), MousePointerKind::Hourglass);
}

TEST_F(ButtonControlTest, FontStyleMapsBitsAndLeavesStrikethrough) {
  ButtonFont font;
  font.strikethrough = true;
  button.SetFont(font);
  button.SetFontStyle(2 | 8);
  EXPECT_TRUE(button.Font().Bold());
  EXPECT_FALSE(button.Font().italic);
  EXPECT_TRUE(button.Font().underline);
  EXPECT_TRUE(button.Font().strikethrough);
  EXPECT_EQ(button.FontStyle(), 10);
  button.SetFontStyle(4);
  EXPECT_EQ(button.FontStyle(), 4);
  EXPECT_TRUE(changes.Saw("Font"));
}

// --- Container --------------------------------------------------------------------

TEST_F(ButtonControlTest, FirstResizeReplacesTheMarkerByTheDisplayName) {
  button.OnResize();
  EXPECT_EQ(button.Caption(), "hbButtons_H1");
  EXPECT_EQ(view.calls, (std::vector<std::string>{"Offscreen", "Region", "Layout", "Redraw"}));
  ambient.display_name = "Other";
  button.OnResize();
  EXPECT_EQ(button.Caption(), "hbButtons_H1");
}

TEST_F(ButtonControlTest, MarkerIsComparedWithoutLetterCase) {
  button.SetCaption("\xC3\xB6QUENDAL_new\xC3\xAA");
  button.OnResize();
  EXPECT_EQ(button.Caption(), "hbButtons_H1");
}

TEST_F(ButtonControlTest, DesignerShowsTheDefaultButtonAsFocused) {
  EnterDesigner(/*is_default=*/true);
  EXPECT_TRUE(button.DesignMode());
  EXPECT_EQ(button.StateFlags(), kStateFocus);

  ambient.display_as_default = false;
  button.OnAmbientChanged("displayasdefault");
  EXPECT_EQ(button.StateFlags(), 0);
  EXPECT_EQ(view.Count("Redraw"), 1);
}

TEST_F(ButtonControlTest, RunTimeIgnoresDisplayAsDefault) {
  ambient.display_as_default = true;
  button.OnShow();
  button.OnAmbientChanged("DisplayAsDefault");
  EXPECT_FALSE(button.DesignMode());
  EXPECT_EQ(button.StateFlags(), 0);
  EXPECT_TRUE(view.calls.empty());
}

TEST_F(ButtonControlTest, ContainerColourChangeRedrawsWhatShowsIt) {
  ambient.back_color = 0x80000005;
  button.OnAmbientChanged("BackColor");
  EXPECT_EQ(button.Colours().container, 0x00050505u);
  EXPECT_TRUE(view.calls.empty());  // a plain rectangle does not show it

  button.SetButtonShape(ButtonShapeKind::EllipseShadedRim);
  view.calls.clear();
  ambient.back_color = 0x00ABCDEF;
  button.OnAmbientChanged("backcolor");
  EXPECT_EQ(button.Colours().container, 0x00ABCDEFu);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"Redraw"}));

  EnterDesigner();
  button.SetButtonStyle(ButtonStyleKind::FlatUntilHover);
  view.calls.clear();
  button.OnAmbientChanged("BackColor");
  EXPECT_EQ(view.calls, (std::vector<std::string>{"RedrawCaption", "Redraw"}));
  view.calls.clear();
  button.OnAmbientChanged("Font");
  EXPECT_TRUE(view.calls.empty());
}

TEST(SystemColorToRgbTest, ResolvesOnlySystemReferences) {
  const IndexColors colors;
  EXPECT_EQ(SystemColorToRgb(0x8000000F, colors), 0x000F0F0Fu);
  EXPECT_EQ(SystemColorToRgb(0x80000112, colors), 0x00121212u);  // index is the low byte
  EXPECT_EQ(SystemColorToRgb(0x00FFFFFF, colors), 0x00FFFFFFu);
  EXPECT_EQ(SystemColorToRgb(0, colors), 0u);
}

TEST(ButtonControlWithoutView, KeepsStateAndReportsNoHandles) {
  const FixedAmbientValues ambient;
  const IndexColors colors;
  ButtonControl button(ambient, colors);
  button.SetCaption("&Go");
  button.Refresh();
  button.OnResize();
  EXPECT_EQ(button.AccessKey(), "G");
  EXPECT_EQ(button.hWnd(), 0u);
}

}  // namespace
}  // namespace velkaro
