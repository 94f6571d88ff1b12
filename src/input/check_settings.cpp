#include "input/check_settings.h"

#include <algorithm>

#include "model/number_text.h"

namespace tarvo {
namespace {

std::string Place() {
    return " [" + std::string(kChecksDialogCaption) + "]";
}

std::string MissingMessage(const CheckFieldRule& rule) {
    return "Не задано значение «" + CaptionWithUnit(rule) + "»" + Place();
}

bool IsGiven(const CheckSettings& settings, CheckField field) {
    return !TrimmedCheckText(settings[field]).empty();
}

// Reads a given number into `value`; false with the message set when it is refused.
bool ReadNumber(const CheckSettings& settings, const CheckFieldRule& rule, double& value,
                std::string& message) {
    const std::string& text = settings[rule.field];
    if (const std::optional<std::string> refusal = CheckFieldRefusal(rule, text)) {
        message = *refusal;
        return false;
    }
    value = *ParseNumber(TrimmedCheckText(text));
    return true;
}

bool ReadCasing(const CheckSettings& settings, DesignLimits& limits, std::string& message) {
    const bool given = IsGiven(settings, CheckField::kMaterial) ||
                       IsGiven(settings, CheckField::kStrength) ||
                       IsGiven(settings, CheckField::kWall);
    if (!given) {
        return true;
    }
    CasingSpec casing;
    const CheckFieldRule& strength = RuleOf(CheckField::kStrength);
    const MaterialPreset* preset =
        FindMaterialPreset(TrimmedCheckText(settings[CheckField::kMaterial]));
    if (IsGiven(settings, CheckField::kStrength)) {
        if (!ReadNumber(settings, strength, casing.strength, message)) {
            return false;
        }
    } else if (preset != nullptr) {
        casing.strength = preset->strength;
    } else {
        message = MissingMessage(strength);
        return false;
    }
    const CheckFieldRule& wall = RuleOf(CheckField::kWall);
    if (!IsGiven(settings, CheckField::kWall)) {
        message = MissingMessage(wall);
        return false;
    }
    if (!ReadNumber(settings, wall, casing.wall, message)) {
        return false;
    }
    limits.casing = casing;
    return true;
}

}  // namespace

const MaterialPreset* FindMaterialPreset(std::string_view id) {
    for (const MaterialPreset& preset : kMaterialPresets) {
        if (preset.id == id) {
            return &preset;
        }
    }
    return nullptr;
}

const CheckFieldRule& RuleOf(CheckField field) {
    for (const CheckFieldRule& rule : kCheckFieldRules) {
        if (rule.field == field) {
            return rule;
        }
    }
    return kCheckFieldRules.front();  // the material has no rule and is never asked for
}

std::string CaptionWithUnit(const CheckFieldRule& rule) {
    return rule.unit.empty() ? std::string(rule.caption)
                             : std::string(rule.caption) + ", " + std::string(rule.unit);
}

std::string RangeText(const CheckFieldRule& rule) {
    return "от " + FormatGeneral(rule.min) + " до " + FormatGeneral(rule.max);
}

std::string CheckFieldText(const CheckFieldRule& rule, double value) {
    return FormatFixed(value, rule.decimals);
}

std::string DefaultLimitText(const CheckFieldRule& rule) {
    return rule.limit == nullptr ? std::string() : CheckFieldText(rule, DesignLimits{}.*rule.limit);
}

std::optional<std::string> CheckFieldRefusal(const CheckFieldRule& rule, std::string_view text) {
    const std::optional<double> value = ParseNumber(TrimmedCheckText(text));
    if (value && *value >= rule.min && *value <= rule.max) {
        return std::nullopt;
    }
    return "Неверное значение «" + CaptionWithUnit(rule) + "»" + Place() + ": нужно число " +
           RangeText(rule);
}

std::string_view TrimmedCheckText(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string StoredCheckText(std::string_view text) {
    std::string stored(TrimmedCheckText(text));
    std::replace(stored.begin(), stored.end(), '.', kDecimalSeparator);
    return stored;
}

CheckSettingsReading ReadCheckSettings(const CheckSettings& settings) {
    CheckSettingsReading reading;
    DesignLimits limits;
    if (!ReadCasing(settings, limits, reading.message)) {
        return reading;
    }
    for (const CheckFieldRule& rule : kCheckFieldRules) {
        if (rule.limit != nullptr && IsGiven(settings, rule.field) &&
            !ReadNumber(settings, rule, limits.*rule.limit, reading.message)) {
            return reading;
        }
    }
    reading.ok = true;
    reading.limits = limits;
    return reading;
}

}  // namespace tarvo
