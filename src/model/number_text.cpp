#include "model/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace tarvo {
namespace {

std::string WithComma(std::string text) {
    for (char& c : text) {
        if (c == '.') {
            c = kDecimalSeparator;
        }
    }
    return text;
}

std::string NonFiniteText(double value) {
    if (std::isnan(value)) {
        return "nan";
    }
    return value < 0 ? "-inf" : "inf";
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Checks the grammar and writes the number with a point into `normalized` (no leading '+').
bool NormalizeDecimal(std::string_view text, std::string& normalized) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') {
            normalized.push_back('-');
        }
        ++i;
    }
    int digits = 0;
    bool separatorSeen = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            ++digits;
            normalized.push_back(c);
        } else if ((c == ',' || c == '.') && !separatorSeen) {
            separatorSeen = true;
            normalized.push_back('.');
        } else {
            break;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (i == text.size()) {
        return true;
    }
    if (text[i] != 'e' && text[i] != 'E') {
        return false;
    }
    normalized.push_back('e');
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        normalized.push_back(text[i]);
        ++i;
    }
    int exponentDigits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        ++exponentDigits;
        normalized.push_back(text[i]);
    }
    return exponentDigits > 0 && i == text.size();
}

// Whether a normalized decimal text has a magnitude below one: the decimal exponent of its
// first significant digit is negative. Used only to tell underflow from overflow.
bool IsBelowOne(const std::string& normalized) {
    const auto e = normalized.find('e');
    const std::string mantissa = normalized.substr(0, e);
    long long exponent = 0;
    if (e != std::string::npos) {
        const char* p = normalized.c_str() + e + 1;
        const bool negative = *p == '-';
        if (*p == '-' || *p == '+') {
            ++p;
        }
        for (; *p != '\0'; ++p) {
            exponent = std::min<long long>(exponent * 10 + (*p - '0'), 1'000'000'000LL);
        }
        if (negative) {
            exponent = -exponent;
        }
    }
    const auto first = mantissa.find_first_of("123456789");
    if (first == std::string::npos) {
        return true;
    }
    const auto pointAt = mantissa.find('.');
    const long long point =
        static_cast<long long>(pointAt == std::string::npos ? mantissa.size() : pointAt);
    const long long digit = static_cast<long long>(first);
    // Decimal exponent of the first significant digit: "123.4" gives 2, "0.001" gives -3.
    const long long position = digit < point ? point - digit - 1 : point - digit;
    return position + exponent < 0;
}

}  // namespace

std::string FormatFixed(double value, int decimals) {
    if (!std::isfinite(value)) {
        return NonFiniteText(value);
    }
    // 308 integer digits, a sign, a point and the decimals always fit.
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc{}) {
        return NonFiniteText(std::numeric_limits<double>::quiet_NaN());
    }
    return WithComma(std::string(buffer, result.ptr));
}

std::string FormatInteger(double value) {
    return FormatFixed(value, 0);
}

std::string FormatGeneral(double value) {
    if (!std::isfinite(value)) {
        return NonFiniteText(value);
    }
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return WithComma(std::string(buffer, result.ptr));
}

std::optional<double> ParseNumber(std::string_view text) {
    std::string normalized;
    normalized.reserve(text.size());
    if (!NormalizeDecimal(text, normalized)) {
        return std::nullopt;
    }
    double value = 0.0;
    const char* first = normalized.data();
    const char* last = first + normalized.size();
    const auto result = std::from_chars(first, last, value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too small to represent reads as zero; too large is not a number.
        if (!IsBelowOne(normalized)) {
            return std::nullopt;
        }
        return normalized.front() == '-' ? -0.0 : 0.0;
    }
    if (result.ec != std::errc{} || result.ptr != last || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> ParseInteger(std::string_view text) {
    std::size_t start = 0;
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        start = 1;
    }
    if (start == text.size()) {
        return std::nullopt;
    }
    long long value = 0;
    for (std::size_t i = start; i < text.size(); ++i) {
        if (!IsDigit(text[i])) {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1) {
            return std::nullopt;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min()) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

}  // namespace tarvo
