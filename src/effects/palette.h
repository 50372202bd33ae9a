#pragma once
// The palette of a run: one 32-bit pixel value per palette index of the frame
// buffer, written to the display surface unchanged (or converted once to
// 5-6-5 on a 16-bit display, see presentation.h).
#include <array>
#include <cstdint>
#include <optional>

namespace velkaro {

using PaletteTable = std::array<std::uint32_t, 256>;

// The packing of the computed palettes: a + 256 × b + 65536 × c, each
// component first limited to 0..255. The first component lands in the low
// byte, which a display with blue in the low byte shows as blue.
std::uint32_t PackLimited(int a, int b, int c);

// The fixed fire table (palette mode 0): red × 65536 + green × 256 + blue,
// running black, dark red, red (63), orange and yellow (127), pale yellow and
// white (224..255).
PaletteTable FirePalette();

// The palette of `PalMode` 0..5; nothing for any other mode, which the caller
// treats as the end of the program.
std::optional<PaletteTable> initpal(std::int32_t PalMode);

}  // namespace velkaro
