#include "input/steppers.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "model/number_text.h"

namespace tarvo {

const StepperRule* FindStepperRule(int stepper) {
    for (const StepperRule& rule : kStepperRules) {
        if (rule.stepper == stepper) {
            return &rule;
        }
    }
    return nullptr;
}

std::string StepperFieldText(const StepperRule& rule, int position) {
    switch (rule.text) {
        case StepperTextRule::kInteger:
            return std::to_string(position);
        case StepperTextRule::kHundredths:
            return FormatGeneral(position / 100.0);
        case StepperTextRule::kThousandthsPlus002:
            return FormatGeneral(position / 1000.0 + 0.02);
        case StepperTextRule::kHundredthsOneDecimal:
            return FormatFixed(position / 100.0, 1);
        case StepperTextRule::kTenths:
            return FormatGeneral(position / 10.0);
    }
    return std::to_string(position);
}

int StepperPositionFor(const StepperRule& rule, double value) {
    double position = value;
    switch (rule.text) {
        case StepperTextRule::kInteger:
            break;
        case StepperTextRule::kHundredths:
            position = value * 100;
            break;
        case StepperTextRule::kThousandthsPlus002:
            position = (value - 0.02) * 1000;
            break;
        case StepperTextRule::kHundredthsOneDecimal:
            position = std::round(value * 10) * 10;
            break;
        case StepperTextRule::kTenths:
            position = value * 10;
            break;
    }
    if (!std::isfinite(position)) {
        return rule.defaultPosition;
    }
    const double clamped = std::clamp(std::round(position), double(rule.min), double(rule.max));
    return static_cast<int>(clamped);
}

bool FitsStepperPosition(long long position) {
    return position >= std::numeric_limits<std::int16_t>::min() &&
           position <= std::numeric_limits<std::int16_t>::max();
}

int ClampToStepperRange(const StepperRule& rule, int position) {
    return std::clamp(position, rule.min, rule.max);
}

std::optional<int> ExpansionRatioPosition(std::string_view text) {
    const auto ratio = ParseNumber(text);
    if (!ratio) {
        return std::nullopt;
    }
    // Rounded through its text, as the position always was; a huge value gives no integer.
    const auto position = ParseInteger(FormatInteger(*ratio * 10));
    if (!position || !FitsStepperPosition(*position)) {
        return std::nullopt;
    }
    return *position;
}

}  // namespace tarvo
