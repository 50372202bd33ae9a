#pragma once
// The page's sound: what the browser can do with a music file the user
// chose, in the few operations the saver's music needs. Files are known by
// the names the page registered them under (the chosen file's own name, in
// UTF-8); the browser plays them through audio elements, whose failures
// (a file it cannot decode, a play it refuses) pass in silence.
#include <string_view>

namespace velkaro::web {

class PageAudio {
 public:
  virtual ~PageAudio() = default;

  // The one file that Play, Stop and IsPlaying act on, ready at its start
  // but not playing; false when the page has registered no file by that
  // name. A file open already is closed first.
  virtual bool Open(std::string_view name) = 0;
  // Plays the open file on from where it stopped, or from its start.
  virtual void Play(bool from_start) = 0;
  // Pauses the open file where it is.
  virtual void Stop() = 0;
  virtual void Close() = 0;
  // True while the open file plays: not stopped, not at its end, and not
  // refused or failed by the browser.
  virtual bool IsPlaying() const = 0;

  // Plays the file by that name over and over, in place of any file looping
  // already, until StopLoop; false when the page registered no such file.
  // Independent of the open file.
  virtual bool Loop(std::string_view name) = 0;
  virtual void StopLoop() = 0;
};

}  // namespace velkaro::web
