#pragma once
// Who started a run of the saver, as the command line tells it.

namespace velkaro {

enum class SaverStart {
  // The screen-saver machinery ("/s"): the run asks for the 95/98 password
  // before it ends and clears the system's screen-saver-running state.
  BySystem,
  // Any other start, by hand without a command line or by a front end
  // without Windows' machinery (the X hack): neither.
  ByHand,
};

}  // namespace velkaro
