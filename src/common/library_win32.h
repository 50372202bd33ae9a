#pragma once
// A DLL loaded at run time, freed when its owner goes. The program loads the
// 95/98-only password services this way, so that it starts where they are
// missing.
#include <windows.h>

#include <memory>
#include <type_traits>

namespace velkaro {

struct LibraryCloser {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};
using Library = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryCloser>;

// The named function of library, or null.
template <typename Function>
Function LibraryFunction(const Library& library, const char* name) {
  if (!library) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library.get(), name)));
}

}  // namespace velkaro
