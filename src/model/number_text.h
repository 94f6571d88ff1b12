#pragma once
// Numbers as the window shows and reads them: the comma is the decimal separator.
// Every layer that turns a number into a text or a text into a number goes through here.

#include <optional>
#include <string>
#include <string_view>

namespace tarvo {

inline constexpr char kDecimalSeparator = ',';

// Fixed-point with exactly `decimals` decimals, correctly rounded (as printf "%.Nf"), with a comma.
std::string FormatFixed(double value, int decimals);

// Whole number, halves to the even neighbour, no decimals.
std::string FormatInteger(double value);

// Shortest general form with up to 15 significant digits (as printf "%.15g"), with a comma.
std::string FormatGeneral(double value);

// A plain decimal number: optional sign, digits with at most one separator (comma or point)
// and at least one digit, then optionally e/E, an optional sign and digits. Anything else
// (blanks, "inf", "nan", hex, a value too large for a double, empty text) is not a number.
std::optional<double> ParseNumber(std::string_view text);

// A 32-bit signed integer: optional sign and digits only.
std::optional<int> ParseInteger(std::string_view text);

}  // namespace tarvo
