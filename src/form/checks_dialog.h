#pragma once
// The dialog "Корпус и пределы" without a toolkit: the casing's material (none, a preset with
// its documented strength, or another whose strength is typed), the wall, the required safety
// factor and the three limits of the design checks. It starts from the form's values; OK
// checks every number and either refuses the first bad one, naming it, or gives the form the
// new values (which marks the document changed when they differ). Nothing is calculated: the
// next "Рассчитать" checks with them.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form/form_model.h"
#include "input/check_settings.h"

namespace tarvo {

// The button on tab 1 and the "Файл" menu entry that open the dialog.
inline constexpr std::string_view kChecksButtonCaption = "Корпус и пределы…";
inline constexpr std::string_view kChecksMenu = "Checks_menu";
// "Помощь" → "Проверка конструкции": the help on the checks.
inline constexpr std::string_view kChecksHelpMenu = "ChecksHelp_menu";

struct ChecksRefusal {
    CheckField field;  // the field to correct
    std::string message;
};

class ChecksDialog {
public:
    explicit ChecksDialog(FormModel& form);

    // The material list: no casing, the presets in kMaterialPresets' order, another material.
    static std::vector<std::string> MaterialChoices();
    static constexpr int kNoCasing = 0;
    static int OtherMaterial();

    int material() const { return material_; }
    // A preset writes its strength into the strength field; the choice decides which fields
    // can be typed into.
    void chooseMaterial(int index);
    const std::string& text(CheckField field) const { return texts_[field]; }
    void setText(CheckField field, std::string_view text);
    bool isEnabled(CheckField field) const;

    // Which strength the chosen material stands for and why.
    std::string materialNote() const;
    // The burst pressure of the casing as typed, in the chamber of the form's Dc, and the
    // safety factor it gives at the last calculation's peak pressure; "" while a value is
    // missing or wrong.
    std::string burstPressureText() const;

    // OK. Nothing changes when a value is refused.
    std::optional<ChecksRefusal> accept();

private:
    const MaterialPreset* preset() const;
    CheckSettings typedSettings() const;

    FormModel& form_;
    int material_ = kNoCasing;
    CheckSettings texts_;
};

}  // namespace tarvo
