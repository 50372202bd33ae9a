// velkaro-render: the effects engine without a window, on a virtual clock, so
// that any pattern renders the same bytes on every run.
#include <iostream>
#include <string_view>
#include <vector>

#include "render_options.h"
#include "render_run.h"

int main(int argc, char** argv) {
  const std::vector<std::string_view> arguments(argv + 1, argv + argc);
  if (arguments.size() == 1 && arguments[0] == "--version") {
    std::cout << "velkaro-render " << VELKARO_VERSION << "\n";
    return 0;
  }
  const auto parsed = velkaro::render_tool::ParseOptions(arguments);
  if (const auto* error = std::get_if<std::string>(&parsed)) {
    std::cerr << "velkaro-render: " << *error << "\n";
    return 2;
  }
  return velkaro::render_tool::RunRender(std::get<velkaro::render_tool::Options>(parsed), std::cout,
                                         std::cerr);
}
