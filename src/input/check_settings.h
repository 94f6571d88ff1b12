#pragma once
// The values of "Корпус и пределы": the casing (material, its strength, the wall) and the
// limits the design checks hold a calculated motor to. They are kept as texts, as typed or as
// read from a motor file, so that a file keeps exactly what it held; an empty text means "not
// given": the default limit, or no casing. Reading them gives the DesignLimits of the
// calculation, or a message naming the value that is wrong.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "model/motor_design.h"

namespace tarvo {

enum class CheckField {
    kMaterial,
    kStrength,
    kWall,
    kSafetyFactor,
    kMinPortThroat,
    kMaxMassFlux,
    kMaxPressure,
};
inline constexpr std::size_t kCheckFieldCount = 7;

// The title of the dialog and of its place in messages.
inline constexpr std::string_view kChecksDialogCaption = "Корпус и пределы";

struct CheckSettings {
    std::array<std::string, kCheckFieldCount> texts;

    const std::string& operator[](CheckField field) const {
        return texts[static_cast<std::size_t>(field)];
    }
    std::string& operator[](CheckField field) { return texts[static_cast<std::size_t>(field)]; }
    friend bool operator==(const CheckSettings&, const CheckSettings&) = default;
};

// A casing material with a documented strength. `id` is what the motor file stores.
struct MaterialPreset {
    std::string_view id;
    std::string_view name;
    double strength;         // MPa
    std::string_view basis;  // which strength it is and where it comes from
};

inline constexpr std::array<MaterialPreset, 4> kMaterialPresets = {{
    {"steel20", "Сталь 20", 245,
     "предел текучести σт не менее 245 МПа (ГОСТ 1050; трубы по ГОСТ 8731)"},
    {"D16T", "Д16Т", 255,
     "предел текучести σ0,2 не менее 255 МПа (прессованные трубы, ГОСТ 18482)"},
    {"6061-T6", "6061-T6", 240,
     "предел текучести σ0,2 не менее 240 МПа (35 ksi; трубы по ASTM B221, B241)"},
    {"PVC-U", "НПВХ (PVC-U)", 45,
     "предел текучести при растяжении не менее 45 МПа при 20 °C (трубы по ISO 1452); при нагреве "
     "быстро падает"},
}};

// A material of the user's own, whose strength is typed.
inline constexpr std::string_view kOtherMaterialId = "other";
inline constexpr std::string_view kOtherMaterialName = "другой";
inline constexpr std::string_view kNoCasingName = "не задан (не проверять)";

// Why the presets give the yield strength.
inline constexpr std::string_view kStrengthBasis =
    "У всех материалов взят предел текучести, а не предел прочности: корпус, который начал "
    "течь, раздувается и вскоре разрушается, поэтому запас считают до текучести. Значения - "
    "наименьшие по стандартам при 20 °C; нагрев стенки их снижает, сильнее всего у алюминия и "
    "НПВХ.";

const MaterialPreset* FindMaterialPreset(std::string_view id);

// A number of the dialog: its caption, unit, range and decimals; the limits have their default
// in DesignLimits.
struct CheckFieldRule {
    CheckField field;
    std::string_view caption;
    std::string_view unit;  // "" for a ratio
    double min;
    double max;
    int decimals;
    double DesignLimits::*limit;  // nullptr for the casing's numbers
};

inline constexpr std::array<CheckFieldRule, 6> kCheckFieldRules = {{
    {CheckField::kStrength, "Прочность материала σ", "МПа", 1, 2000, 0, nullptr},
    {CheckField::kWall, "Толщина стенки t", "мм", 0.1, 50, 2, nullptr},
    {CheckField::kSafetyFactor, "Требуемый запас прочности", "", 1, 10, 1,
     &DesignLimits::safetyFactor},
    {CheckField::kMinPortThroat, "Наименьшее отношение площади канала к критическому сечению", "",
     1, 4, 1, &DesignLimits::minPortThroat},
    {CheckField::kMaxMassFlux, "Наибольший массовый поток через канал", "кг/(м²·с)", 100, 5000, 0,
     &DesignLimits::maxMassFlux},
    {CheckField::kMaxPressure, "Наибольшее давление в камере", "МПа", 1, 30, 2,
     &DesignLimits::maxPressure},
}};

const CheckFieldRule& RuleOf(CheckField field);

// "Толщина стенки t, мм".
std::string CaptionWithUnit(const CheckFieldRule& rule);

// "от 1 до 4".
std::string RangeText(const CheckFieldRule& rule);

// A number in the field's decimals with the decimal comma ("2,0", "1406", "10,34").
std::string CheckFieldText(const CheckFieldRule& rule, double value);

// The text a limit field shows when its value is not given: the default limit.
std::string DefaultLimitText(const CheckFieldRule& rule);

// Why a typed text is refused (it names the field and the range), or nothing when it is a
// number within the field's range. A comma or a point separates the decimals.
std::optional<std::string> CheckFieldRefusal(const CheckFieldRule& rule, std::string_view text);

// The text without the blanks around it; "" means "not given".
std::string_view TrimmedCheckText(std::string_view text);

// The number of an accepted text, tidied as stored: blanks trimmed, a decimal comma.
std::string StoredCheckText(std::string_view text);

struct CheckSettingsReading {
    bool ok = false;
    DesignLimits limits;  // the defaults when !ok
    std::string message;  // names the value that is wrong, when !ok
};

// The limits of the settings. No casing when none of the material, strength and wall is given;
// a preset material without a strength has its preset's; a limit not given has its default.
CheckSettingsReading ReadCheckSettings(const CheckSettings& settings);

}  // namespace tarvo
