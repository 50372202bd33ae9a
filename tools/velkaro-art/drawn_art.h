#pragma once
// The settings dialog's small pictures, drawn in the dialog's own style:
// grey panels, white marks and text, red for what is chosen.
#include "rgb_image.h"

namespace velkaro::art_tool {

inline constexpr Rgb kPanelGrey{128, 128, 128};
inline constexpr Rgb kWellGrey{64, 64, 64};  // the inside of boxes and marks
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kSelectionRed{255, 0, 0};

inline constexpr int kHandHotX = 12;
inline constexpr int kHandHotY = 10;

// 579 × 21: the background that covers the dialog's panels. It is repeated
// downwards only, so its fine diagonal grain has a period (7 rows) that
// divides its height and shows no seam.
RgbImage PanelTile();
// 12 × 12 check box, unticked or ticked.
RgbImage CheckBox(bool ticked);
// 13 × 13 option mark, on the panel grey, not chosen or chosen.
RgbImage OptionMark(bool chosen);
// 32 × 32 pointing hand, white with a black outline, its finger tip at
// (kHandHotX, kHandHotY).
MaskedImage HandPointer();
// A flame on a dark square framed in red, size × size (32 and 16).
MaskedImage WindowIcon(int size);

}  // namespace velkaro::art_tool
