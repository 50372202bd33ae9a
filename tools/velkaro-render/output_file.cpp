#include "output_file.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace velkaro::render_tool {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string TemporaryNameFor(const std::string& path) { return path + ".part"; }

// Renames the finished temporary file over path, or removes it.
bool Finish(const std::string& path, bool written) {
  const std::string temporary = TemporaryNameFor(path);
  if (written && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
  std::remove(temporary.c_str());
  return false;
}

bool WritePng(std::FILE* file, int width, int height, std::span<const std::uint8_t> rgb) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  std::vector<png_bytep> rows(height);
  for (int y = 0; y < height; ++y)
    rows[y] = const_cast<png_bytep>(rgb.data() + std::size_t(y) * width * 3);
  bool ok = false;
  // libpng reports its errors by a long jump back to here.
  if (info && setjmp(png_jmpbuf(png)) == 0) {
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    ok = true;
  }
  png_destroy_write_struct(&png, &info);
  return ok;
}

}  // namespace

bool WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  bool written = false;
  {
    File file(std::fopen(TemporaryNameFor(path).c_str(), "wb"));
    // An empty span may have no data pointer, which fwrite must not be given.
    written =
        file &&
        (bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size()) &&
        std::fflush(file.get()) == 0;
  }
  return Finish(path, written);
}

bool WriteRgbPng(const std::string& path, int width, int height,
                 std::span<const std::uint8_t> rgb) {
  if (rgb.size() < std::size_t(width) * height * 3) return false;
  bool written = false;
  {
    File file(std::fopen(TemporaryNameFor(path).c_str(), "wb"));
    written = file && WritePng(file.get(), width, height, rgb) && std::fflush(file.get()) == 0;
  }
  return Finish(path, written);
}

}  // namespace velkaro::render_tool
