#pragma once
// The owner of a kernel object's handle (a file, a process, a thread),
// closed with CloseHandle when its owner goes, in the manner of the GDI
// owners (gdi_win32.h) and the library owner (library_win32.h).
#include <windows.h>

#include <memory>

namespace velkaro {

struct KernelHandleCloser {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using KernelHandle = std::unique_ptr<void, KernelHandleCloser>;

// The owner of what CreateFile returned. It fails with INVALID_HANDLE_VALUE,
// not null as CreateProcess and CreateEvent do, and that is no handle to
// close.
inline KernelHandle FromCreateFile(HANDLE file) {
  return KernelHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

}  // namespace velkaro
