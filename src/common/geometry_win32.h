#pragma once
// The program's rectangles as the system's RECT and back: the same four
// edges, right and bottom exclusive in both.
#include <windows.h>

#include "common/geometry.h"

namespace velkaro {

constexpr RECT ToRECT(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }
constexpr Rect FromRECT(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace velkaro
