#include "input/field_text.h"

#include "model/number_text.h"

namespace tarvo {
namespace {

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

bool IsKept(char c) {
    return (c >= '0' && c <= '9') || c == '+' || c == '-';
}

}  // namespace

std::string EntryHint() {
    return std::string("Допустимый ввод - цифры и разделитель целой и дробной частей: знак (") +
           kDecimalSeparator + ")";
}

bool IsAcceptedEntry(std::string_view text) {
    const auto value = ParseNumber(text);
    return value.has_value() && *value > 0;
}

std::string NormaliseFieldText(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (IsKept(c)) {
            result.push_back(c);
            continue;
        }
        result.push_back(kDecimalSeparator);
        // The rest of a multi-byte character belongs to the separator just written.
        while (i + 1 < text.size() && IsContinuationByte(text[i + 1])) {
            ++i;
        }
    }
    return result;
}

}  // namespace tarvo
