#pragma once
// Owners of the X resources the hack holds. Each one is move-only and gives
// its resource back when it goes, so that every way out of the program,
// a signal or a destroyed window included, leaves nothing behind on the
// server or in shared memory.
#include <X11/Xlib.h>

#include <memory>
#include <utility>

namespace velkaro::xhack {

struct DisplayCloser {
  void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayOwner = std::unique_ptr<Display, DisplayCloser>;

// A resource of the server named by an XID and freed by one call.
template <typename Free>
class XidOwner {
 public:
  XidOwner() = default;
  XidOwner(Display* display, XID id) : display_(display), id_(id) {}
  ~XidOwner() { reset(); }
  XidOwner(XidOwner&& other) noexcept
      : display_(other.display_), id_(std::exchange(other.id_, 0)) {}
  XidOwner& operator=(XidOwner&& other) noexcept {
    if (this != &other) {
      reset();
      display_ = other.display_;
      id_ = std::exchange(other.id_, 0);
    }
    return *this;
  }
  XidOwner(const XidOwner&) = delete;
  XidOwner& operator=(const XidOwner&) = delete;

  XID get() const { return id_; }
  void reset() {
    if (id_ != 0) Free{}(display_, std::exchange(id_, 0));
  }

 private:
  Display* display_ = nullptr;
  XID id_ = 0;
};

struct DestroyWindow {
  void operator()(Display* display, XID window) const { XDestroyWindow(display, window); }
};
using WindowOwner = XidOwner<DestroyWindow>;

// A graphics context is not an XID to Xlib, so it has an owner of its own.
class GcOwner {
 public:
  GcOwner(Display* display, Drawable drawable)
      : display_(display), gc_(XCreateGC(display, drawable, 0, nullptr)) {}
  ~GcOwner() { XFreeGC(display_, gc_); }
  GcOwner(const GcOwner&) = delete;
  GcOwner& operator=(const GcOwner&) = delete;
  GC get() const { return gc_; }

 private:
  Display* display_;
  GC gc_;
};

}  // namespace velkaro::xhack
