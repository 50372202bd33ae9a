#pragma once
// Shrinking an engine frame to thumbnail size.
#include "rgb_image.h"

namespace velkaro::art_tool {

// Area averaging: each target pixel is the mean of the source area it
// covers, source pixels cut by the target grid counting with the covered
// fraction. Sharper than a bilinear filter at these ratios (about 1:2 and
// 1:5) and free of the flicker a nearest-pixel pick gives to sparks. The
// target must not be larger than the source.
RgbImage DownscaleByArea(const RgbImage& source, int width, int height);

}  // namespace velkaro::art_tool
