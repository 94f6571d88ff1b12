#pragma once
// Numbers for files that other programs read: fixed-point with a decimal point, whatever the
// window's decimal comma and the locale.

#include <string>

namespace tarvo {

// "0.0123" with `decimals` decimals; a value that rounds to zero has no sign.
std::string FixedWithPoint(double value, int decimals);

// As FixedWithPoint, without trailing zeros: "25.4", "0.0123", "30".
std::string PlainNumber(double value, int decimals);

// The value as a file with `decimals` decimals holds it, so that comparisons see what a reader
// sees.
double AsWritten(double value, int decimals);

}  // namespace tarvo
