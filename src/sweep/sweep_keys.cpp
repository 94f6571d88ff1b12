#include "sweep/sweep_keys.h"

#include <cmath>
#include <limits>
#include <vector>

#include "form/controls.h"
#include "input/field_map.h"
#include "input/field_text.h"
#include "model/number_text.h"

namespace tarvo {
namespace {

constexpr std::string_view kParamsSection = "Params";

int ControlNumber(std::string_view name) {
    const std::optional<ControlId> id = FindControl(name);
    return id ? id->number : 0;
}

std::vector<SweepKey> BuildSweepKeys() {
    std::vector<SweepKey> keys;
    for (const MotorKey& fileKey : kMotorKeys) {
        if (fileKey.section != kParamsSection) {
            continue;
        }
        SweepKey key;
        key.fileKey = &fileKey;
        if (fileKey.kind == MotorValueKind::FieldText) {
            key.edit = ControlNumber(fileKey.control);
            key.wholeNumber = key.edit == field::kN;
        } else if (fileKey.kind == MotorValueKind::StepperPosition) {
            key.stepper = FindStepperRule(ControlNumber(fileKey.control));
            key.edit = key.stepper->edit;
        } else {
            continue;
        }
        keys.push_back(key);
    }
    return keys;
}

// The number a stepper's field shows at a position.
double StepperValue(const StepperRule& rule, int position) {
    return ParseNumber(StepperFieldText(rule, position)).value_or(0.0);
}

bool SameValue(double a, double b) {
    return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(b));
}

std::string Named(const SweepKey& key, double value) {
    return std::string(key.name()) + "=" + FormatGeneral(value);
}

HeldValue Refused(std::string reason) {
    return {std::nullopt, std::move(reason)};
}

HeldValue HoldStepperValue(const SweepKey& key, double value) {
    const StepperRule& rule = *key.stepper;
    const int position = StepperPositionFor(rule, value);
    const double shown = StepperValue(rule, position);
    if (SameValue(shown, value) && (position - rule.min) % rule.increment == 0) {
        const std::string text = StepperFieldText(rule, position);
        return {KeyValue{shown, text, std::to_string(position)}, ""};
    }
    const double lowest = StepperValue(rule, rule.min);
    const double highest = StepperValue(rule, rule.max);
    if (value < lowest || value > highest) {
        return Refused(Named(key, value) + ": поле принимает значения от " +
                       StepperFieldText(rule, rule.min) + " до " +
                       StepperFieldText(rule, rule.max));
    }
    return Refused(Named(key, value) + ": поле принимает значения с шагом " +
                   FormatGeneral(Resolution(key)));
}

HeldValue HoldFieldValue(const SweepKey& key, double value) {
    if (value < 0) {
        return Refused(Named(key, value) + ": поле не принимает отрицательных чисел");
    }
    if (key.wholeNumber &&
        (value != std::round(value) || value > std::numeric_limits<std::int32_t>::max())) {
        return Refused(Named(key, value) + ": поле принимает только целые числа");
    }
    const std::string text = FormatGeneral(value);
    const std::optional<double> shown = ParseNumber(text);
    // A text the refresh before every calculation would rewrite ("1E-5" becomes "1,-5") is not
    // what the field holds.
    if (NormaliseFieldText(text) != text || !shown) {
        return Refused(Named(key, value) + ": такое число поле не показывает");
    }
    return {KeyValue{*shown, text, text}, ""};
}

}  // namespace

std::span<const SweepKey> SweepKeys() {
    static const std::vector<SweepKey> keys = BuildSweepKeys();
    return keys;
}

const SweepKey* FindSweepKey(std::string_view name) {
    for (const SweepKey& key : SweepKeys()) {
        if (key.name() == name) {
            return &key;
        }
    }
    return nullptr;
}

std::string SweepKeyNames() {
    std::string names;
    for (const SweepKey& key : SweepKeys()) {
        names += (names.empty() ? "" : ", ") + std::string(key.name());
    }
    return names;
}

HeldValue HoldValue(const SweepKey& key, double value) {
    if (!std::isfinite(value)) {
        return Refused(std::string(key.name()) + ": не число");
    }
    return key.stepper ? HoldStepperValue(key, value) : HoldFieldValue(key, value);
}

double Resolution(const SweepKey& key) {
    if (key.stepper) {
        const StepperRule& rule = *key.stepper;
        return StepperValue(rule, rule.min + rule.increment) - StepperValue(rule, rule.min);
    }
    return key.wholeNumber ? 1.0 : 0.0;
}

double LowestValue(const SweepKey& key) {
    return key.stepper ? StepperValue(*key.stepper, key.stepper->min) : 0.0;
}

std::optional<double> HighestValue(const SweepKey& key) {
    if (key.stepper) {
        return StepperValue(*key.stepper, key.stepper->max);
    }
    return std::nullopt;
}

std::string PointText(std::string_view fieldText) {
    std::string text(fieldText);
    for (char& c : text) {
        c = c == kDecimalSeparator ? '.' : c;
    }
    return text;
}

}  // namespace tarvo
