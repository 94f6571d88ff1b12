#include "input/field_text.h"

#include "input/field_map.h"
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

EntryRange EntryRangeOf(int edit) {
    switch (edit) {
        case field::kOs:
        case field::kCs:
        case field::kEs:
        case field::ke:
        case field::kkv:
        case field::kLto:
        case field::kDto:
            return EntryRange::kZeroOrMore;
        default:
            break;
    }
    for (const BurnRateFields& table : kBurnRateFields) {
        const auto inColumn = [edit](int first) {
            return edit >= first && edit < first + kBurnRateRanges;
        };
        if (inColumn(table.n)) {
            return EntryRange::kAnyNumber;
        }
        if (inColumn(table.lower) || inColumn(table.upper) || inColumn(table.a)) {
            return EntryRange::kZeroOrMore;
        }
    }
    return EntryRange::kPositive;
}

bool IsAcceptedEntry(int edit, std::string_view text) {
    const auto value = ParseNumber(text);
    if (!value) {
        return false;
    }
    switch (EntryRangeOf(edit)) {
        case EntryRange::kPositive:
            return *value > 0;
        case EntryRange::kZeroOrMore:
            return *value >= 0;
        case EntryRange::kAnyNumber:
            return true;
    }
    return false;
}

std::string FieldEntryHint(int edit) {
    switch (EntryRangeOf(edit)) {
        case EntryRange::kPositive:
            return EntryHint() + "\nНужно число больше 0.";
        case EntryRange::kZeroOrMore:
            return EntryHint() + "\nНужно число не меньше 0.";
        case EntryRange::kAnyNumber:
            return EntryHint() + "\nНужно число, можно отрицательное.";
    }
    return EntryHint();
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
