#pragma once
// The owner of a reference to a COM object (the program's are DirectDraw's).
// It calls nothing but the object's own Release, so it needs nothing of
// <windows.h>, and a header that names an owner (directdraw_win32.h) stays
// free of Windows types.
#include <utility>

namespace velkaro {

// Owns one reference to a COM object and releases it; move-only, so a
// reference can never be released twice.
template <typename Interface>
class ComOwner {
 public:
  ComOwner() = default;
  ~ComOwner() { reset(); }
  ComOwner(ComOwner&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  ComOwner& operator=(ComOwner&& other) noexcept {
    if (this != &other) {
      reset();
      object_ = std::exchange(other.object_, nullptr);
    }
    return *this;
  }
  ComOwner(const ComOwner&) = delete;
  ComOwner& operator=(const ComOwner&) = delete;

  Interface* get() const { return object_; }
  Interface* operator->() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

  // The out parameter of a call that creates the object; the reference held
  // so far is released first.
  Interface** put() {
    reset();
    return &object_;
  }
  void reset() {
    if (object_) std::exchange(object_, nullptr)->Release();
  }

 private:
  Interface* object_ = nullptr;
};

}  // namespace velkaro
