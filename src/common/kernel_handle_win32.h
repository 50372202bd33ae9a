#pragma once
// The owner of a kernel object's handle (a file, a process, a thread),
// closed with CloseHandle when its owner goes. Calls that make such objects
// disagree on what failure looks like: CreateFile returns
// INVALID_HANDLE_VALUE, CreateProcess and CreateEvent null. The owner holds
// both as "no handle", so a test of it is one test whichever call made it.
#include <windows.h>

#include <utility>

namespace velkaro {

class KernelHandle {
 public:
  KernelHandle() = default;
  explicit KernelHandle(HANDLE handle)
      : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
  ~KernelHandle() { reset(); }
  KernelHandle(KernelHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  KernelHandle& operator=(KernelHandle&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  KernelHandle(const KernelHandle&) = delete;
  KernelHandle& operator=(const KernelHandle&) = delete;

  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void reset() {
    if (handle_) CloseHandle(std::exchange(handle_, nullptr));
  }

 private:
  HANDLE handle_ = nullptr;
};

}  // namespace velkaro
