#pragma once
// One run of the renderer: the saver's engine set-up, K frames on a virtual
// clock with the pattern's timers, then the requested outputs.
#include <iosfwd>

#include "render_options.h"

namespace velkaro::render_tool {

// Returns the process's exit status: 0, or 2 after a one-line message on err
// when an output cannot be written.
int RunRender(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace velkaro::render_tool
