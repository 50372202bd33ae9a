// The page's script reaches the run and the stills through these bindings:
// Module.parseAddress(query), new Module.Run(options), new Module.Run(options,
// music) for a run with the user's music file, new Module.Still(pattern).
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "effects/presets.h"
#include "web/page_audio_web.h"
#include "web/web_music.h"
#include "web/web_options.h"
#include "web/web_run.h"
#include "web/web_still.h"

namespace velkaro::web {
namespace {

// WebRunOptions as a plain script object: -1 stands for a value not given.
struct PageRunOptions {
  int pattern = 0;
  bool random = false;
  double seed = -1;
  int clockSeconds = 0;
  int frames = -1;
  int fps = 60;
  bool replay = false;
};

PageRunOptions ToPage(const WebRunOptions& options) {
  return {options.pattern,
          options.random,
          options.seed ? double(*options.seed) : -1,
          int(options.clock_seconds),
          options.frames.value_or(-1),
          options.fps,
          options.replay};
}

// Options made by the script are checked as an address's are: a value out
// of range is the default.
WebRunOptions FromPage(const PageRunOptions& page) {
  WebRunOptions options;
  if (page.pattern >= 0 && page.pattern < PatternCount) options.pattern = page.pattern;
  options.random = page.random;
  if (page.seed >= 0 && page.seed <= double(UINT32_MAX)) options.seed = std::uint32_t(page.seed);
  if (page.clockSeconds >= 0 && page.clockSeconds < 86400)
    options.clock_seconds = std::uint32_t(page.clockSeconds);
  if (page.frames >= 0) options.frames = page.frames;
  if (page.fps >= 1 && page.fps <= 1000) options.fps = page.fps;
  options.replay = page.replay;
  return options;
}

PageRunOptions ParseAddress(const std::string& query) { return ToPage(ParseAddressQuery(query)); }

emscripten::val View(std::span<const std::uint8_t> bytes) {
  return emscripten::val(emscripten::typed_memory_view(bytes.size(), bytes.data()));
}

// The music file of a run: the chosen file's name, which the run's music
// names it by, and the object URL of the File. An empty name: no music.
struct PageMusic {
  std::string file;
  std::string url;
};

std::unique_ptr<WebRun> MakeRun(const PageRunOptions& options) {
  return std::make_unique<WebRun>(FromPage(options));
}

std::unique_ptr<WebRun> MakeRunWithMusic(const PageRunOptions& options, const PageMusic& music) {
  if (music.file.empty()) return MakeRun(options);
  auto audio = std::make_unique<BrowserPageAudio>(
      std::map<std::string, std::string, std::less<>>{{music.file, music.url}});
  return std::make_unique<WebRun>(FromPage(options),
                                  std::make_unique<WebMusic>(std::move(audio), music.file));
}

emscripten::val RunPicture(const WebRun& run) { return View(run.Picture()); }
double RunFrames(const WebRun& run) { return double(run.frames()); }
emscripten::val StillPicture(const PatternStill& still) { return View(still.Picture()); }

}  // namespace
}  // namespace velkaro::web

EMSCRIPTEN_BINDINGS(velkaro_page) {
  using namespace velkaro::web;
  emscripten::value_object<PageRunOptions>("RunOptions")
      .field("pattern", &PageRunOptions::pattern)
      .field("random", &PageRunOptions::random)
      .field("seed", &PageRunOptions::seed)
      .field("clockSeconds", &PageRunOptions::clockSeconds)
      .field("frames", &PageRunOptions::frames)
      .field("fps", &PageRunOptions::fps)
      .field("replay", &PageRunOptions::replay);
  emscripten::value_object<PageMusic>("Music")
      .field("file", &PageMusic::file)
      .field("url", &PageMusic::url);
  emscripten::function("parseAddress", &ParseAddress);
  emscripten::constant("patternCount", velkaro::PatternCount);

  emscripten::class_<WebRun>("Run")
      .constructor(&MakeRun)
      .constructor(&MakeRunWithMusic)
      .function("start", &WebRun::Start)
      .function("animationFrame", &WebRun::AnimationFrame)
      .function("keyDown", &WebRun::KeyDown)
      .function("mouseButtonDown", &WebRun::MouseButtonDown)
      .function("closeRequest", &WebRun::CloseRequest)
      .function("running", &WebRun::running)
      .function("held", &WebRun::held)
      .function("frames", &RunFrames)
      .function("pattern", &WebRun::pattern)
      .function("picture", &RunPicture);

  emscripten::class_<PatternStill>("Still")
      .constructor<int>()
      .function("advance", &PatternStill::Advance)
      .function("picture", &StillPicture);
}
