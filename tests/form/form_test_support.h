#pragma once
// Forms filled the way a user or the file layer fills them, for the form model's tests.

#include <span>
#include <string_view>
#include <utility>

#include "form/form_model.h"
#include "model/propellants.h"

namespace tarvo::testing {

inline void Type(FormModel& form, int edit, std::string_view text) {
    form.setFieldText(EditId{edit}, text);
}

// What a file or the program writes, with the entry filter silenced.
inline void Load(FormModel& form, int edit, std::string_view text) {
    form.setLoadingGuard(true);
    form.setFieldText(EditId{edit}, text);
    form.setLoadingGuard(false);
}

// The window after start-up: the propellants listed, one selected, nothing changed; then the
// motor's fields typed in.
inline void TypeMotor(FormModel& form, int propellant,
                      std::span<const std::pair<int, const char*>> texts) {
    form.setLoadingGuard(true);
    form.setPropellantItems({std::string(PropellantName(1)), std::string(PropellantName(2)),
                             std::string(PropellantName(3))});
    form.selectPropellant(propellant);
    form.setLoadingGuard(false);
    for (const auto& [edit, text] : texts) {
        Type(form, edit, text);
    }
}

// Three KN/SB grains with inhibited outer surfaces in a 40 x 200 chamber: the inputs of
// example::CoredMotor(), typed.
inline void TypeCoredMotor(FormModel& form) {
    const std::pair<int, const char*> texts[] = {{1, "40"},   {2, "200"},  {4, "38"},
                                                 {5, "14"},   {6, "60"},   {7, "3"},
                                                 {12, "250"}, {13, "0,5"}, {94, "8"}};
    TypeMotor(form, 1, texts);
}

// Two KN/DX grains and an end-burning grain: the inputs of example::MotorWithEndBurner().
inline void TypeMotorWithEndBurner(FormModel& form) {
    const std::pair<int, const char*> texts[] = {{1, "30"},   {2, "200"},  {4, "28"},
                                                 {5, "10"},   {6, "50"},   {7, "2"},
                                                 {12, "200"}, {13, "0,3"}, {94, "6"}};
    TypeMotor(form, 0, texts);
    form.setChecked(kEndGrainBox, true);
    Type(form, 95, "60");
    Type(form, 96, "28");
}

}  // namespace tarvo::testing
