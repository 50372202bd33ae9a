#pragma once
// Files the renderer writes: complete or not at all. Each is written to a
// temporary name beside its target and renamed over it once it is whole.
#include <cstdint>
#include <span>
#include <string>

namespace velkaro::render_tool {

bool WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes);
// An 8-bit RGB PNG of width × height pixels, rows top to bottom.
bool WriteRgbPng(const std::string& path, int width, int height, std::span<const std::uint8_t> rgb);

}  // namespace velkaro::render_tool
