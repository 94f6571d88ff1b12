#include "export/point_numbers.h"

#include <algorithm>

#include "model/number_text.h"

namespace tarvo {

std::string FixedWithPoint(double value, int decimals) {
    std::string text = FormatFixed(value, decimals);
    std::replace(text.begin(), text.end(), kDecimalSeparator, '.');
    if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string::npos) {
        text.erase(0, 1);
    }
    return text;
}

std::string PlainNumber(double value, int decimals) {
    std::string text = FixedWithPoint(value, decimals);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') {
            text.pop_back();
        }
    }
    return text;
}

double AsWritten(double value, int decimals) {
    return ParseNumber(FormatFixed(value, decimals)).value_or(0.0);
}

}  // namespace tarvo
