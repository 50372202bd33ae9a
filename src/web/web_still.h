#pragma once
// A still of a pattern for the page's chooser: the frame at which it looks
// like itself, made as the dialog's thumbnails are made, a few frames at a
// time so that the page stays responsive while the 28 are made.
#include <cstdint>
#include <span>

#include "effects/pattern_run.h"
#include "web/web_presentation.h"

namespace velkaro::web {

class PatternStill {
 public:
  explicit PatternStill(int pattern);
  PatternStill(const PatternStill&) = delete;
  PatternStill& operator=(const PatternStill&) = delete;

  // Runs up to `frames` more frames; true once the still is reached, when
  // Picture holds it.
  bool Advance(int frames);
  // RGBA, 320 x 240.
  std::span<const std::uint8_t> Picture() const { return presentation_.Picture(); }

 private:
  PatternRun run_;
  int last_frame_;
  WebPresentation presentation_;
};

}  // namespace velkaro::web
