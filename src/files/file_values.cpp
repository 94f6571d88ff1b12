#include "files/file_values.h"

#include <cstdint>
#include <limits>

#include "files/encoding.h"
#include "model/number_text.h"
#include "model/propellants.h"

namespace tarvo {

std::optional<int> ParseFileInteger(std::string_view text) {
    return ParseInteger(text);
}

std::optional<bool> ParseFileBoolean(std::string_view text) {
    const std::string folded = FoldCase(text);
    if (folded == "true") {
        return true;
    }
    if (folded == "false") {
        return false;
    }
    const auto number = ParseNumber(text);
    if (!number) {
        return std::nullopt;
    }
    return *number != 0.0;
}

std::string FormatFileInteger(int value) {
    return std::to_string(value);
}

std::string FormatFileBoolean(bool value) {
    return value ? "-1" : "0";
}

std::optional<int> ParseStepperPosition(std::string_view text) {
    const auto value = ParseFileInteger(text);
    if (!value || *value < std::numeric_limits<std::int16_t>::min() ||
        *value > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> ParsePropellantChoice(std::string_view text) {
    const auto Ftype = ParseFileInteger(text);
    if (!Ftype) {
        return std::nullopt;
    }
    return IsValidFtype(*Ftype) ? *Ftype - 1 : kNoSelection;
}

bool ParseGrainFlag(std::string_view text) {
    return ParseFileBoolean(text).value_or(false);
}

int ParseTabIndex(std::string_view text) {
    const auto index = ParseFileInteger(text);
    if (!index) {
        return 0;
    }
    return *index >= 0 && *index < kTabCount ? *index : kNoSelection;
}

}  // namespace tarvo
