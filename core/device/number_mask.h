#pragma once
// Number masks as the instrument's people write them: "0" always prints a
// digit, "#" only a significant one, "." the decimal separator, and any other
// character is copied where it stands. "## ##0" gives " 5" for 5 and
// "12 345" for 12345; the sign comes first. Rounding is half to even.

#include <string>
#include <string_view>

namespace velmar {

std::string FormatMask(double value, std::string_view mask, std::string_view decimalSeparator = ".");

// Half-to-even rounding to an integer, the rounding used everywhere.
double RoundHalfEven(double value);

}  // namespace velmar
