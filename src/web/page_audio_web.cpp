#include "web/page_audio_web.h"

#include <utility>

namespace velkaro::web {
namespace {

using emscripten::val;

// Starts an element. The promise that play() returns is rejected when the
// browser will not play (a file it cannot decode, a page the user has not
// touched); a rejection nobody handles is reported as an error, and the
// saver's music fails in silence, so the rejection is taken by a function
// that does nothing with it.
void StartPlaying(val& element) {
  val promise = element.call<val>("play");
  if (promise.instanceof (val::global("Promise")))
    promise.call<void>("catch", val::global("Boolean"));
}

// Silences an element and lets it drop its file.
void Discard(val& element) {
  if (element.isUndefined()) return;
  element.call<void>("remove");
  element.call<void>("pause");
  element.call<void>("removeAttribute", val("src"));
  element.call<void>("load");
  element = val::undefined();
}

}  // namespace

BrowserPageAudio::~BrowserPageAudio() {
  Discard(file_);
  Discard(loop_);
}

val BrowserPageAudio::ElementFor(std::string_view name) const {
  const auto url = urls_.find(name);
  const val audio_class = val::global("Audio");
  if (url == urls_.end() || audio_class.isUndefined()) return val::undefined();
  val element = audio_class.new_(val(url->second));
  element.set("preload", val("auto"));
  // In the document (with no controls it shows nothing) for whoever looks at
  // what the page plays.
  const val body = val::global("document")["body"];
  if (!body.isNull()) body.call<void>("append", element);
  return element;
}

bool BrowserPageAudio::Open(std::string_view name) {
  Discard(file_);
  file_ = ElementFor(name);
  // The file repeats by the music module's check, as the saver's does.
  if (!file_.isUndefined()) file_.set("loop", val(false));
  return !file_.isUndefined();
}

void BrowserPageAudio::Play(bool from_start) {
  if (file_.isUndefined()) return;
  if (from_start) file_.set("currentTime", val(0));
  StartPlaying(file_);
}

void BrowserPageAudio::Stop() {
  if (!file_.isUndefined()) file_.call<void>("pause");
}

void BrowserPageAudio::Close() { Discard(file_); }

// play() clears paused at once, so a file asked to play counts as playing
// until the browser refuses it or it reaches its end.
bool BrowserPageAudio::IsPlaying() const {
  if (file_.isUndefined()) return false;
  return !file_["paused"].as<bool>() && !file_["ended"].as<bool>() && file_["error"].isNull();
}

bool BrowserPageAudio::Loop(std::string_view name) {
  Discard(loop_);
  loop_ = ElementFor(name);
  if (loop_.isUndefined()) return false;
  loop_.set("loop", val(true));
  StartPlaying(loop_);
  return true;
}

void BrowserPageAudio::StopLoop() { Discard(loop_); }

}  // namespace velkaro::web
