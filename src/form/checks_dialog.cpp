#include "form/checks_dialog.h"

#include "ballistics/design_checks.h"
#include "input/field_map.h"
#include "model/number_text.h"

namespace tarvo {
namespace {

// What a casing of the given burst pressure would have had in hand at the last calculation's
// peak pressure; "" before a calculation got that far.
std::string LastRunSafetyText(const CalculationResult& run, double burst) {
    const double gauge = run.figures.Pmax - run.design.Patm;
    if (run.pressure != StageState::kSucceeded || !(gauge > 0)) {
        return {};
    }
    return ". Последний расчёт: Pmax - Patm = " + FormatFixed(gauge, 2) + " МПа, запас прочности " +
           FormatFixed(burst / gauge, 2);
}

int PresetIndex(const MaterialPreset* preset) {
    return preset == nullptr ? -1 : static_cast<int>(preset - kMaterialPresets.data()) + 1;
}

// The choice a file's values stand for: a preset only while its strength is the preset's.
int MaterialOf(const CheckSettings& settings) {
    const std::string_view id = TrimmedCheckText(settings[CheckField::kMaterial]);
    const std::string_view strength = TrimmedCheckText(settings[CheckField::kStrength]);
    const bool casing =
        !id.empty() || !strength.empty() || !TrimmedCheckText(settings[CheckField::kWall]).empty();
    if (!casing) {
        return ChecksDialog::kNoCasing;
    }
    const MaterialPreset* preset = FindMaterialPreset(id);
    if (preset != nullptr &&
        (strength.empty() || ParseNumber(strength) == std::optional(preset->strength))) {
        return PresetIndex(preset);
    }
    return ChecksDialog::OtherMaterial();
}

bool SameCasing(const std::optional<CasingSpec>& a, const std::optional<CasingSpec>& b) {
    if (!a || !b) {
        return a.has_value() == b.has_value();
    }
    return a->strength == b->strength && a->wall == b->wall;
}

bool SameLimits(const DesignLimits& a, const DesignLimits& b) {
    return SameCasing(a.casing, b.casing) && a.safetyFactor == b.safetyFactor &&
           a.minPortThroat == b.minPortThroat && a.maxMassFlux == b.maxMassFlux &&
           a.maxPressure == b.maxPressure;
}

// Whether OK would change what the checks use or which material the file names.
bool SameMeaning(const CheckSettings& before, const CheckSettings& after) {
    const CheckSettingsReading old = ReadCheckSettings(before);
    return old.ok && MaterialOf(before) == MaterialOf(after) &&
           SameLimits(old.limits, ReadCheckSettings(after).limits);
}

}  // namespace

std::vector<std::string> ChecksDialog::MaterialChoices() {
    std::vector<std::string> choices{std::string(kNoCasingName)};
    for (const MaterialPreset& preset : kMaterialPresets) {
        choices.emplace_back(preset.name);
    }
    choices.emplace_back(kOtherMaterialName);
    return choices;
}

int ChecksDialog::OtherMaterial() {
    return static_cast<int>(kMaterialPresets.size()) + 1;
}

ChecksDialog::ChecksDialog(FormModel& form) : form_(form) {
    const CheckSettings& settings = form.checkSettings();
    texts_[CheckField::kStrength] = settings[CheckField::kStrength];
    texts_[CheckField::kWall] = settings[CheckField::kWall];
    for (const CheckFieldRule& rule : kCheckFieldRules) {
        if (rule.limit != nullptr) {
            const std::string& text = settings[rule.field];
            texts_[rule.field] = TrimmedCheckText(text).empty() ? DefaultLimitText(rule) : text;
        }
    }
    chooseMaterial(MaterialOf(settings));
}

void ChecksDialog::chooseMaterial(int index) {
    if (index < kNoCasing || index > OtherMaterial()) {
        return;
    }
    material_ = index;
    if (const MaterialPreset* chosen = preset()) {
        texts_[CheckField::kStrength] =
            CheckFieldText(RuleOf(CheckField::kStrength), chosen->strength);
    }
}

const MaterialPreset* ChecksDialog::preset() const {
    if (material_ == kNoCasing || material_ == OtherMaterial()) {
        return nullptr;
    }
    return &kMaterialPresets[static_cast<std::size_t>(material_ - 1)];
}

void ChecksDialog::setText(CheckField field, std::string_view text) {
    if (field != CheckField::kMaterial && isEnabled(field)) {
        texts_[field] = std::string(text);
    }
}

bool ChecksDialog::isEnabled(CheckField field) const {
    switch (field) {
        case CheckField::kMaterial:
            return false;  // chosen from the list
        case CheckField::kStrength:
            return material_ == OtherMaterial();
        case CheckField::kWall:
            return material_ != kNoCasing;
        default:
            return true;
    }
}

std::string ChecksDialog::materialNote() const {
    if (material_ == kNoCasing) {
        return "Корпус не проверяется: после расчёта будет только замечание с наибольшим "
               "избыточным давлением, которое он должен выдержать.";
    }
    const std::string why(kStrengthBasis);
    if (const MaterialPreset* chosen = preset()) {
        return std::string(chosen->name) + ": " + std::string(chosen->basis) + ". " + why;
    }
    return "Введите предел текучести своего материала (σт или σ0,2), а не предел прочности. " + why;
}

std::string ChecksDialog::burstPressureText() const {
    const CheckSettingsReading typed = ReadCheckSettings(typedSettings());
    const std::optional<double> Dc =
        ParseNumber(TrimmedCheckText(form_.fieldText(EditId{field::kDc})));
    if (!typed.ok || !typed.limits.casing || !Dc || *Dc <= 0) {
        return {};
    }
    const CasingSpec& casing = *typed.limits.casing;
    const double burst = BurstPressure(casing, *Dc);
    return "Давление разрушения (формула Барлоу) при Dc = " + FormatGeneral(*Dc) +
           " мм, наружном диаметре " + FormatGeneral(*Dc + 2 * casing.wall) +
           " мм: " + FormatFixed(burst, 2) + " МПа" +
           LastRunSafetyText(form_.lastCalculation(), burst);
}

// The values as OK stores them: the casing's only with a material, each number tidied.
CheckSettings ChecksDialog::typedSettings() const {
    CheckSettings settings;
    if (material_ != kNoCasing) {
        const MaterialPreset* chosen = preset();
        settings[CheckField::kMaterial] = chosen ? chosen->id : kOtherMaterialId;
        settings[CheckField::kStrength] = StoredCheckText(texts_[CheckField::kStrength]);
        settings[CheckField::kWall] = StoredCheckText(texts_[CheckField::kWall]);
    }
    for (const CheckFieldRule& rule : kCheckFieldRules) {
        if (rule.limit != nullptr) {
            settings[rule.field] = StoredCheckText(texts_[rule.field]);
        }
    }
    return settings;
}

std::optional<ChecksRefusal> ChecksDialog::accept() {
    for (const CheckFieldRule& rule : kCheckFieldRules) {
        const bool used = rule.limit != nullptr || material_ != kNoCasing;
        if (!used) {
            continue;
        }
        if (std::optional<std::string> refusal = CheckFieldRefusal(rule, texts_[rule.field])) {
            return ChecksRefusal{rule.field, std::move(*refusal)};
        }
    }
    const CheckSettings settings = typedSettings();
    if (!SameMeaning(form_.checkSettings(), settings)) {
        form_.setCheckSettings(settings);
    }
    return std::nullopt;
}

}  // namespace tarvo
