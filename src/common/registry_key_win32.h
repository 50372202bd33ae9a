#pragma once
// An open registry key, closed when its owner goes. The program itself keeps
// its settings in a file; the tests set Wine's per-application settings
// through these.
#include <windows.h>

#include <memory>
#include <type_traits>

namespace velkaro {

struct RegistryKeyCloser {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
using RegistryKey = std::unique_ptr<std::remove_pointer_t<HKEY>, RegistryKeyCloser>;

}  // namespace velkaro
