#pragma once
// The page's audio in the browser: an audio element for the open file and
// another for the looping one, each made from the object URL of a file the
// user chose and in the document's body while it lives.
#include <emscripten/val.h>

#include <functional>
#include <map>
#include <string>
#include <utility>

#include "web/page_audio.h"

namespace velkaro::web {

class BrowserPageAudio final : public PageAudio {
 public:
  // The files the page registered: each name with the object URL of its
  // File.
  explicit BrowserPageAudio(std::map<std::string, std::string, std::less<>> urls)
      : urls_(std::move(urls)) {}
  // The elements are paused as they go, so that no sound outlives the run.
  ~BrowserPageAudio() override;
  BrowserPageAudio(const BrowserPageAudio&) = delete;
  BrowserPageAudio& operator=(const BrowserPageAudio&) = delete;

  bool Open(std::string_view name) override;
  void Play(bool from_start) override;
  void Stop() override;
  void Close() override;
  bool IsPlaying() const override;
  bool Loop(std::string_view name) override;
  void StopLoop() override;

 private:
  // A new element for the file by that name; undefined when there is none.
  emscripten::val ElementFor(std::string_view name) const;

  std::map<std::string, std::string, std::less<>> urls_;
  emscripten::val file_ = emscripten::val::undefined();
  emscripten::val loop_ = emscripten::val::undefined();
};

}  // namespace velkaro::web
