// velkaro-art: renders the pictures that Velkaro.scr carries (the preview
// still, the dialog's thumbnails and small pictures, the pointer and the
// icon) and the resource script for them, into one folder;
// `--thumbnail-frames` prints which frame of each pattern the thumbnails
// show, for the scripts that render the same frames larger.
#include <filesystem>
#include <iostream>
#include <string_view>

#include "art_set.h"
#include "engine_stills.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: velkaro-art FOLDER | --thumbnail-frames\n";
    return 2;
  }
  if (std::string_view(argv[1]) == "--thumbnail-frames") {
    std::cout << velkaro::art_tool::ThumbnailFrameTable();
    return 0;
  }
  std::error_code error;
  std::filesystem::create_directories(argv[1], error);
  const auto files = velkaro::art_tool::BuildArtSet();
  return velkaro::art_tool::WriteArtFolder(argv[1], files, std::cerr) ? 0 : 2;
}
