#pragma once
// The per-frame algorithms in their plain one-value-at-a-time form, exactly
// as the engine's behaviour is defined: the yardstick that the production
// engine (with its vector and inline-rounding forms) is measured against and
// compared with byte for byte.
#include <cstdint>
#include <span>

#include "effects/engine.h"
#include "effects/palette.h"
#include "effects/presentation.h"

namespace velkaro::scalar_forms {

bool animPart(Engine& engine);
void AnimWind(Engine& engine, std::uint32_t now_ms);
bool DrawPart(Engine& engine);
bool vbClearEdge(std::int32_t w, std::int32_t h, std::span<std::uint8_t> buf);
bool vbBlurImg(std::int32_t w, std::int32_t h, std::span<std::uint8_t> buf);
void PalTo565(PaletteTable& PalLUT);
// The visible part of the frame buffer into a width × height surface of
// bytes_per_pixel-byte pixels, one pixel value at a time, byte by byte.
void render(const IndexImage& FrameBuf, const PaletteTable& PalLUT, std::uint8_t* pixels,
            std::ptrdiff_t pitch, int bytes_per_pixel);

// One engine frame as the frame loop runs it, through the forms above.
void StepFrame(Engine& engine, std::uint32_t now_ms);

}  // namespace velkaro::scalar_forms
