#pragma once
// What the page's address asks of a run: ?pattern=N&seed=S&clock=T&frames=K&fps=F,
// each as velkaro-render's option of that name. An address with any of them
// asks for a replay: a run on a virtual clock that gives the renderer's
// frames, started at once. A value that is not a whole number in its range is
// left at its default, so that no address can break the page.
#include <cstdint>
#include <optional>
#include <string_view>

namespace velkaro::web {

struct WebRunOptions {
  int pattern = 0;
  bool random = false;  // a random pattern at the start, from the time of day
  std::optional<std::uint32_t> seed;
  std::uint32_t clock_seconds = 0;     // the time of day the run reseeds from
  std::optional<std::int32_t> frames;  // the run holds its picture after this frame
  std::int32_t fps = 60;
  bool replay = false;  // the virtual clock of velkaro-render
};

// The options of the query part of an address ("?a=1&b=2", with or without
// the "?"). Parameters of other names are ignored.
WebRunOptions ParseAddressQuery(std::string_view query);

}  // namespace velkaro::web
