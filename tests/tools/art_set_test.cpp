// The pictures velkaro-art renders for Velkaro.scr: all there, the right
// sizes, distinct thumbnails, a fire-like preview, and the same bytes on
// every run.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "art_set.h"
#include "common/resource_ids.h"
#include "engine_stills.h"

namespace velkaro::art_tool {
namespace {

// Rendering takes 29 engine runs; one set serves every test.
const std::map<std::string, Bytes>& Files() {
  static const auto files = [] {
    std::map<std::string, Bytes> by_name;
    for (auto& file : BuildArtSet()) by_name[file.name] = file.bytes;
    return by_name;
  }();
  return files;
}

const Bytes& File(const std::string& name) { return Files().at(name); }

std::uint32_t Read32(const Bytes& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t(b[at + 3]) << 24);
}

std::string Thumbnail(int i) {
  char name[32];
  std::snprintf(name, sizeof name, "thumbnail_%02d.bmp", i);
  return name;
}

TEST(ArtSet, EveryBitmapHasItsSize) {
  const std::map<std::string, std::pair<int, int>> sizes = {
      {"preview_still.bmp", {152, 112}}, {"panel_tile.bmp", {579, 21}}, {"check_off.bmp", {12, 12}},
      {"check_on.bmp", {12, 12}},        {"option_off.bmp", {13, 13}},  {"option_on.bmp", {13, 13}},
  };
  for (const auto& [name, size] : sizes) {
    EXPECT_EQ(Read32(File(name), 18), std::uint32_t(size.first)) << name;
    EXPECT_EQ(Read32(File(name), 22), std::uint32_t(size.second)) << name;
  }
  for (int i = 0; i < VELKARO_THUMBNAIL_COUNT; ++i) {
    EXPECT_EQ(Read32(File(Thumbnail(i)), 18), 60u) << i;
    EXPECT_EQ(Read32(File(Thumbnail(i)), 22), 45u) << i;
  }
  EXPECT_EQ(File("velkaro.ico")[6], 32);
  EXPECT_EQ(File("hand.cur")[6], 32);
}

TEST(ArtSet, EveryThumbnailDiffersFromEveryOther) {
  std::set<Bytes> distinct;
  for (int i = 0; i < VELKARO_THUMBNAIL_COUNT; ++i) distinct.insert(File(Thumbnail(i)));
  EXPECT_EQ(distinct.size(), std::size_t(VELKARO_THUMBNAIL_COUNT));
}

TEST(ArtSet, ThumbnailsShowTheirPatternDeveloped) {
  // Not a blank or a noise frame: each has dark and bright areas.
  for (int i = 0; i < VELKARO_THUMBNAIL_COUNT; ++i) {
    const RgbImage t = art_tool::Thumbnail(i);
    int lo = 255 * 3, hi = 0;
    for (int y = 0; y < t.height(); ++y)
      for (int x = 0; x < t.width(); ++x) {
        const Rgb p = t.at(x, y);
        lo = std::min(lo, p.r + p.g + p.b);
        hi = std::max(hi, p.r + p.g + p.b);
      }
    EXPECT_GT(hi - lo, 200) << "pattern " << i;
  }
}

TEST(ArtSet, PreviewStillLooksLikeFire) {
  const RgbImage still = PreviewStill();
  int fiery = 0, bluish = 0;
  for (int y = 0; y < still.height(); ++y)
    for (int x = 0; x < still.width(); ++x) {
      const Rgb p = still.at(x, y);
      if (p.r >= 160 && p.r >= p.g && p.g >= p.b) ++fiery;  // red, orange, yellow
      if (p.b > p.r) ++bluish;
    }
  const int all = still.width() * still.height();
  EXPECT_GT(fiery, all / 3);
  EXPECT_LT(bluish, all / 50);
}

TEST(ArtSet, ResourceScriptListsEveryPictureOnce) {
  const Bytes& script_bytes = File(kResourceScriptName);
  const std::string script(script_bytes.begin(), script_bytes.end());
  EXPECT_NE(script.find("#include \"common/resource_ids.h\""), std::string::npos);
  for (const auto& [name, bytes] : Files()) {
    if (name == kResourceScriptName) continue;
    const std::string quoted = "\"" + name + "\"";
    const auto at = script.find(quoted);
    ASSERT_NE(at, std::string::npos) << name;
    EXPECT_EQ(script.find(quoted, at + 1), std::string::npos) << name;
  }
  EXPECT_NE(script.find("VELKARO_RES_PREVIEW_STILL BITMAP \"preview_still.bmp\""),
            std::string::npos);
  EXPECT_NE(script.find("327 BITMAP \"thumbnail_27.bmp\""), std::string::npos);
  EXPECT_EQ(Files().size(), 8u + VELKARO_THUMBNAIL_COUNT + 1u);
}

TEST(ArtSet, RendersTheSameBytesEveryRun) {
  for (const auto& file : BuildArtSet()) EXPECT_EQ(file.bytes, File(file.name)) << file.name;
}

TEST(ArtSet, WritesEveryFileIntoTheFolderOrSaysWhichItCannot) {
  const auto folder = std::filesystem::temp_directory_path() / "velkaro-art-test";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const std::vector<ArtFile> files = {{"a.bmp", {1, 2, 3}}, {"b.rc", {}}};
  std::ostringstream err;
  ASSERT_TRUE(WriteArtFolder(folder.string(), files, err));
  std::ifstream a(folder / "a.bmp", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(a), {}), "\x01\x02\x03");
  EXPECT_TRUE(std::filesystem::exists(folder / "b.rc"));
  EXPECT_EQ(err.str(), "");

  EXPECT_FALSE(WriteArtFolder((folder / "missing").string(), files, err));
  EXPECT_NE(err.str().find("missing/a.bmp"), std::string::npos);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace velkaro::art_tool
