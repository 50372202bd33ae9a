#pragma once
// Numeric text as the settings file and the dialog's track list hold it.
#include <optional>
#include <string_view>

namespace velkaro {

// The value of a text that is a number as a whole: optional blanks, an
// optional sign, digits with an optional decimal point (at least one digit in
// all), an optional exponent, optional blanks. Anything else is not a number.
std::optional<double> ParseNumber(std::string_view text);

}  // namespace velkaro
