#pragma once
// Forms filled the way a user or the file layer fills them, for the form model's tests.

#include <string_view>
#include <utility>
#include <vector>

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

// The window after start-up: the propellants listed, one selected, nothing changed.
inline void ListPropellants(FormModel& form, int selected) {
    form.setLoadingGuard(true);
    form.setPropellantItems({std::string(kPropellantNames[0]), std::string(kPropellantNames[1]),
                             std::string(kPropellantNames[2])});
    form.selectPropellant(selected);
    form.setLoadingGuard(false);
}

// Three KN/SB grains with inhibited outer surfaces in a 40 x 200 chamber: the inputs of
// ExampleCoredMotor(), typed.
inline void TypeCoredMotor(FormModel& form) {
    ListPropellants(form, 1);
    const std::pair<int, const char*> texts[] = {{1, "40"},   {2, "200"},  {4, "38"},
                                                 {5, "14"},   {6, "60"},   {7, "3"},
                                                 {12, "250"}, {13, "0,5"}, {94, "8"}};
    for (const auto& [edit, text] : texts) {
        Type(form, edit, text);
    }
}

// Two KN/DX grains and an end-burning grain: the inputs of ExampleMotorWithEndBurner().
inline void TypeMotorWithEndBurner(FormModel& form) {
    ListPropellants(form, 0);
    const std::pair<int, const char*> texts[] = {{1, "30"},   {2, "200"},  {4, "28"},
                                                 {5, "10"},   {6, "50"},   {7, "2"},
                                                 {12, "200"}, {13, "0,3"}, {94, "6"}};
    for (const auto& [edit, text] : texts) {
        Type(form, edit, text);
    }
    form.setChecked(kEndGrainBox, true);
    Type(form, 95, "60");
    Type(form, 96, "28");
}

// Records every change the form announces.
struct ChangeLog {
    explicit ChangeLog(FormModel& form) {
        form.addObserver([this](const Change& change) { changes.push_back(change); });
    }
    bool saw(ChangeKind kind, ControlId control) const {
        for (const Change& change : changes) {
            if (change.kind == kind && change.control == control) {
                return true;
            }
        }
        return false;
    }
    std::vector<Change> changes;
};

}  // namespace tarvo::testing
