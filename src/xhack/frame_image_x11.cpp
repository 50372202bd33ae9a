#include "xhack/frame_image_x11.h"

#include <X11/Xlib-xcb.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <xcb/shm.h>

#include <cstdlib>
#include <utility>
#include <vector>

namespace velkaro::xhack {
namespace {

// The image's data belongs to its owner (a vector or a shared segment);
// XDestroyImage would free it with free(), so it is taken away first.
struct BorrowingImageDestroyer {
  void operator()(XImage* image) const {
    image->data = nullptr;
    XDestroyImage(image);
  }
};
using BorrowingImage = std::unique_ptr<XImage, BorrowingImageDestroyer>;

PixelRows RowsOf(const XImage& image) {
  return PixelRows{reinterpret_cast<std::uint8_t*>(image.data), image.bytes_per_line,
                   image.bits_per_pixel / 8};
}

class PlainImage final : public FrameImage {
 public:
  PlainImage(Display* display, Visual* visual, int depth, std::int32_t width, std::int32_t height)
      : display_(display) {
    image_.reset(XCreateImage(display, visual, unsigned(depth), ZPixmap, 0, nullptr,
                              unsigned(width), unsigned(height), 32, 0));
    if (!image_) return;
    pixels_.resize(std::size_t(image_->bytes_per_line) * std::size_t(height));
    image_->data = pixels_.data();
  }
  bool Valid() const { return image_ != nullptr; }
  PixelRows Rows() const override { return RowsOf(*image_); }
  void Put(Drawable drawable, GC gc) override {
    XPutImage(display_, drawable, gc, image_.get(), 0, 0, 0, 0, unsigned(image_->width),
              unsigned(image_->height));
  }

 private:
  Display* display_;
  std::vector<char> pixels_;
  BorrowingImage image_;
};

// A System V shared-memory segment mapped into this process.
class ShmSegment {
 public:
  explicit ShmSegment(std::size_t bytes) {
    id_ = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (id_ < 0) return;
    void* address = shmat(id_, nullptr, 0);
    if (address != reinterpret_cast<void*>(-1)) address_ = static_cast<char*>(address);
  }
  ~ShmSegment() {
    if (address_) shmdt(address_);
    MarkForRemoval();
  }
  // The system removes the segment once the last process detaches from it,
  // so that it goes even when this process is killed outright.
  void MarkForRemoval() {
    if (id_ >= 0) shmctl(std::exchange(id_, -1), IPC_RMID, nullptr);
  }
  ShmSegment(const ShmSegment&) = delete;
  ShmSegment& operator=(const ShmSegment&) = delete;
  int id() const { return id_; }
  char* address() const { return address_; }

 private:
  int id_ = -1;
  char* address_ = nullptr;
};

// The server's attachment to a segment. The attach is checked at once: a
// server that cannot reach this process's memory (another machine, another
// IPC namespace) refuses it, and the image falls back to plain uploads.
class ShmAttachment {
 public:
  ShmAttachment(Display* display, int segment_id) : connection_(XGetXCBConnection(display)) {
    const xcb_shm_seg_t seg = xcb_generate_id(connection_);
    xcb_generic_error_t* error =
        xcb_request_check(connection_, xcb_shm_attach_checked(connection_, seg, segment_id, 1));
    if (error) {
      std::free(error);
      return;
    }
    seg_ = seg;
  }
  ~ShmAttachment() {
    if (seg_) xcb_shm_detach(connection_, seg_);
  }
  ShmAttachment(const ShmAttachment&) = delete;
  ShmAttachment& operator=(const ShmAttachment&) = delete;
  xcb_shm_seg_t seg() const { return seg_; }

 private:
  xcb_connection_t* connection_;
  xcb_shm_seg_t seg_ = 0;
};

class SharedImage final : public FrameImage {
 public:
  SharedImage(Display* display, Visual* visual, int depth, std::int32_t width, std::int32_t height)
      : display_(display) {
    image_.reset(XShmCreateImage(display, visual, unsigned(depth), ZPixmap, nullptr, &info_,
                                 unsigned(width), unsigned(height)));
    if (!image_) return;
    segment_ =
        std::make_unique<ShmSegment>(std::size_t(image_->bytes_per_line) * std::size_t(height));
    if (!segment_->address()) return;
    attachment_ = std::make_unique<ShmAttachment>(display, segment_->id());
    if (!attachment_->seg()) return;
    info_.shmseg = attachment_->seg();
    info_.shmid = segment_->id();
    segment_->MarkForRemoval();
    info_.shmaddr = image_->data = segment_->address();
    info_.readOnly = True;
  }
  ~SharedImage() override {
    // The image goes before the attachment and the segment it points into.
    image_.reset();
    attachment_.reset();
    segment_.reset();
  }
  bool Valid() const { return image_ && attachment_ && attachment_->seg(); }
  PixelRows Rows() const override { return RowsOf(*image_); }
  void Put(Drawable drawable, GC gc) override {
    XShmPutImage(display_, drawable, gc, image_.get(), 0, 0, 0, 0, unsigned(image_->width),
                 unsigned(image_->height), False);
  }

 private:
  Display* display_;
  XShmSegmentInfo info_{};
  BorrowingImage image_;
  std::unique_ptr<ShmSegment> segment_;
  std::unique_ptr<ShmAttachment> attachment_;
};

}  // namespace

std::unique_ptr<FrameImage> MakeFrameImage(Display* display, Visual* visual, int depth,
                                           std::int32_t width, std::int32_t height,
                                           bool try_shared) {
  if (width <= 0 || height <= 0) return nullptr;
  if (try_shared) {
    auto shared = std::make_unique<SharedImage>(display, visual, depth, width, height);
    if (shared->Valid()) return shared;
  }
  auto plain = std::make_unique<PlainImage>(display, visual, depth, width, height);
  if (!plain->Valid()) return nullptr;
  return plain;
}

}  // namespace velkaro::xhack
