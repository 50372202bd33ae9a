#pragma once
// The text form of the engine parameters that `velkaro-render --dump params`
// prints: one name=value line each, for comparing runs byte for byte.
#include <cstdint>
#include <string>

#include "effects/params.h"

namespace velkaro {

// Pattern_No first, then every parameter in the order of EngineParams, then
// EmitX and EmitY. Integers in decimal, flags 0 or 1, reals as the shortest
// fixed-point decimal that reads back as the same float ("-0.25", "0.2",
// "20"). Every line ends with '\n'.
std::string FormatParamsDump(const EngineParams& params, int pattern_no, std::int32_t emit_x,
                             std::int32_t emit_y);

}  // namespace velkaro
