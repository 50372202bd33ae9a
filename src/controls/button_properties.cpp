#include "controls/button_properties.h"

namespace velkaro {

ColorRef SystemColorToRgb(ColorRef c, const SystemColors& system) {
  if (!IsSystemColor(c)) return c;
  return system.Rgb(static_cast<int>(c & 0xFF));
}

}  // namespace velkaro
