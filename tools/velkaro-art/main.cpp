// velkaro-art: renders the pictures that Velkaro.scr carries (the preview
// still, the dialog's thumbnails and small pictures, the pointer and the
// icon) and the resource script for them, into one folder.
#include <filesystem>
#include <iostream>

#include "art_set.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: velkaro-art FOLDER\n";
    return 2;
  }
  std::error_code error;
  std::filesystem::create_directories(argv[1], error);
  const auto files = velkaro::art_tool::BuildArtSet();
  return velkaro::art_tool::WriteArtFolder(argv[1], files, std::cerr) ? 0 : 2;
}
