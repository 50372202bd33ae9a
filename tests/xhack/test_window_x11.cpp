// velkaro_test_window: a plain black window for the hack's X tests to draw
// into, as XScreenSaver gives the hack a window it did not make. It prints
// the window's id and then obeys lines on its input:
//   resize W H   destroy   (end of input: it leaves)
// answering "ok" after each one has reached the server.
#include <X11/Xlib.h>

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

namespace {

struct DisplayCloser {
  void operator()(Display* display) const { XCloseDisplay(display); }
};

void WaitFor(Display* display, Window window, int type) {
  XEvent event;
  do XWindowEvent(display, window, StructureNotifyMask, &event);
  while (event.type != type);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: velkaro_test_window WIDTH HEIGHT\n";
    return 2;
  }
  const std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(nullptr));
  if (!display) return 1;
  Display* d = display.get();
  const Window window =
      XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, unsigned(std::stoi(argv[1])),
                          unsigned(std::stoi(argv[2])), 0, BlackPixel(d, 0), BlackPixel(d, 0));
  XSelectInput(d, window, StructureNotifyMask);
  XMapWindow(d, window);
  WaitFor(d, window, MapNotify);
  std::printf("0x%lx\n", window);
  std::fflush(stdout);

  std::string command;
  while (std::cin >> command) {
    if (command == "resize") {
      unsigned width = 0, height = 0;
      std::cin >> width >> height;
      XResizeWindow(d, window, width, height);
      WaitFor(d, window, ConfigureNotify);
    } else if (command == "destroy") {
      XDestroyWindow(d, window);
      XSync(d, False);
    }
    std::printf("ok\n");
    std::fflush(stdout);
  }
  return 0;
}
