#pragma once
// Every picture that Velkaro.scr carries, with the resource script that
// compiles them in, as files for one folder.
#include <iosfwd>
#include <string>
#include <vector>

#include "picture_files.h"

namespace velkaro::art_tool {

struct ArtFile {
  std::string name;  // a plain file name, no folder
  Bytes bytes;
};

inline constexpr const char* kResourceScriptName = "velkaro_art.rc";

// The pictures, then the resource script. The script includes
// "common/resource_ids.h" (the source folder must be on the resource
// compiler's include path) and names the pictures by file name alone, so it
// is compiled with its own folder on the include path too.
std::vector<ArtFile> BuildArtSet();

// The resource script that lists the pictures of BuildArtSet.
std::string ResourceScript();

// Writes every file of the set into `folder`, which must exist, each one
// whole or not at all. Returns false after a one-line message on err when a
// file cannot be written.
bool WriteArtFolder(const std::string& folder, const std::vector<ArtFile>& files,
                    std::ostream& err);

}  // namespace velkaro::art_tool
