#pragma once
// GoogleTest's own port header, for the Windows test programs. The C++
// runtime of the "win32" thread-model MinGW-w64 compilers has no std::mutex
// or std::condition_variable, which GoogleTest's Notification is written
// with. GoogleTest uses Notification only to start threads in tests of its
// own, which no test program here runs, so a flag that the waiting thread
// polls serves; <windows.h> stays out, as GoogleTest keeps it out of its
// headers.
#include <atomic>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

class Notification {
 public:
  Notification() = default;
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify() { notified_.store(true); }
  void WaitForNotification() {
    while (!notified_.load()) {
    }
  }

 private:
  std::atomic<bool> notified_{false};
};

}  // namespace testing::internal
