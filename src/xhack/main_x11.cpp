// velkaro: the Velkaro screen saver as an XScreenSaver hack. The saver run
// is the Windows saver's own (engine set-up, frame loop, pattern timers);
// only its window and presentation are X11's. It has no music port, so the
// run plays none.

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/geometry.h"
#include "saver/saver_run.h"
#include "xhack/hack_options.h"
#include "xhack/hack_window_x11.h"
#include "xhack/pixel_format.h"
#include "xhack/x_presentation_x11.h"
#include "xhack/x_resources_x11.h"

// Xlib's macros (None, Bool, Status) would break the headers above, so it
// comes last.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

namespace velkaro::xhack {
namespace {

// The one piece of state a signal handler may touch.
volatile std::sig_atomic_t stop_signal = 0;

void OnStopSignal(int) { stop_signal = 1; }

// Without SA_RESTART, so that the wait between frames returns at once.
void CatchStopSignals() {
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

// The window can be destroyed under the hack at any moment: XScreenSaver
// destroys its window when the user comes back. Requests already on their
// way then fail with BadWindow or BadDrawable; that is the normal end of a
// run, which the DestroyNotify that follows reports, and nothing is printed.
// Any other error is printed and the run goes on (Xlib's default would end
// the process).
int OnXError(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow || error->error_code == BadDrawable) return 0;
  char text[160];
  XGetErrorText(display, error->error_code, text, sizeof text);
  std::cerr << "velkaro: X error: " << text << " (request " << int(error->request_code) << "."
            << int(error->minor_code) << ")\n";
  return 0;
}

// The time of day. The hack's run has no screen-saver services of Windows:
// the daemon stacks the window, locks the screen and keeps the screen-saver
// state.
class HackSystem final : public SaverSystem {
 public:
  std::uint32_t SecondsSinceMidnight() override {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return std::uint32_t(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec);
  }
};

PixelFormat FormatOf(Display* display, const XWindowAttributes& attributes) {
  const Visual* visual = attributes.visual;
  PixelFormat format;
  format.true_color = visual->c_class == TrueColor;
  format.depth = attributes.depth;
  format.red_mask = std::uint32_t(visual->red_mask);
  format.green_mask = std::uint32_t(visual->green_mask);
  format.blue_mask = std::uint32_t(visual->blue_mask);
  format.msb_first = ImageByteOrder(display) == MSBFirst;
  int count = 0;
  if (XPixmapFormatValues* formats = XListPixmapFormats(display, &count)) {
    for (int i = 0; i < count; ++i) {
      if (formats[i].depth == attributes.depth) format.bits_per_pixel = formats[i].bits_per_pixel;
    }
    XFree(formats);
  }
  return format;
}

// A resizable window of our own, titled "Velkaro", that its close box ends.
WindowOwner MakeOwnWindow(Display* display, Atom delete_window) {
  const int screen = DefaultScreen(display);
  const Window window = XCreateSimpleWindow(
      display, RootWindow(display, screen), 0, 0, 2 * kShownPictureSize.width,
      2 * kShownPictureSize.height, 0, BlackPixel(display, screen), BlackPixel(display, screen));
  XStoreName(display, window, "Velkaro");
  XClassHint class_hint{const_cast<char*>("velkaro"), const_cast<char*>("Velkaro")};
  XSetClassHint(display, window, &class_hint);
  XSetWMProtocols(display, window, &delete_window, 1);
  return WindowOwner(display, window);
}

Window WindowOf(const WindowChoice& choice, Display* display, const WindowOwner& own) {
  switch (choice.kind) {
    case WindowChoice::Kind::Given: return Window(choice.id);
    case WindowChoice::Kind::Root: return DefaultRootWindow(display);
    case WindowChoice::Kind::Own: return own.get();
  }
  return 0;
}

int Fail(const std::string& line, int status) {
  std::cerr << "velkaro: " << line << "\n";
  return status;
}

int RunOn(Display* display, const WindowChoice& choice, const HackOptions& options) {
  const Atom delete_window = XInternAtom(display, "WM_DELETE_WINDOW", False);
  WindowOwner own;
  if (choice.kind == WindowChoice::Kind::Own) own = MakeOwnWindow(display, delete_window);
  const Window window = WindowOf(choice, display, own);

  // Events are asked for before the window is looked at, so that a window
  // destroyed after the look is still reported.
  XSelectInput(display, window, StructureNotifyMask);
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes)) {
    char id[24];
    std::snprintf(id, sizeof id, "0x%lx", window);
    return Fail(std::string("there is no window ") + id, 1);
  }
  const PixelFormat format = FormatOf(display, attributes);
  if (!IsSupported(format)) return Fail(Unsupported(format), 1);

  XPresentation presentation(display, window, attributes.visual, format, attributes.width,
                             attributes.height, XShmQueryExtension(display));
  HackWindowSetUp set_up{display,       window,           own.get() != 0,
                         delete_window, options.delay_us, &stop_signal};
  HackWindow hack_window(set_up, presentation);
  Settings settings;
  settings.Pattern_No = std::int16_t(options.pattern);
  settings.Rdm_Flag = options.random ? 1 : 0;
  HackSystem system;
  SaverRun run(settings, SaverStart::ByHand, {hack_window, presentation, system});
  if (run.Load() == SaverRun::Outcome::BadPaletteMode)
    return Fail("the pattern's palette mode is not one of 0..5", 1);
  return 0;
}

}  // namespace

int Main(const std::vector<std::string_view>& arguments) {
  const auto parsed = ParseHackOptions(arguments);
  if (const auto* error = std::get_if<std::string>(&parsed)) return Fail(*error, 2);
  const HackOptions& options = std::get<HackOptions>(parsed);
  if (options.help) {
    std::cout << kHackUsage;
    return 0;
  }
  const auto choice = ChooseWindow(options, std::getenv("XSCREENSAVER_WINDOW"));
  if (const auto* error = std::get_if<std::string>(&choice)) return Fail(*error, 2);

  CatchStopSignals();
  const DisplayOwner display(XOpenDisplay(nullptr));
  if (!display)
    return Fail("cannot open display \"" + std::string(XDisplayName(nullptr)) + "\"", 1);
  XSetErrorHandler(OnXError);
  return RunOn(display.get(), std::get<WindowChoice>(choice), options);
}

}  // namespace velkaro::xhack

int main(int argc, char** argv) {
  return velkaro::xhack::Main(std::vector<std::string_view>(argv + 1, argv + argc));
}
