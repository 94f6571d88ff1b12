#include "form/form_design.h"

#include <map>

#include "form/diagnostic_text.h"
#include "form/form_layout.h"
#include "input/check_settings.h"
#include "input/field_text.h"
#include "input/read_inputs.h"
#include "input/steppers.h"
#include "model/propellants.h"

namespace tarvo {
namespace {

// The field texts as the refresh before a calculation leaves them.
std::map<int, std::string> FieldTextsToRead(const FormModel& form) {
    std::map<int, std::string> texts;
    for (const FieldLayout& layout : FieldLayouts()) {
        const std::string& text = form.fieldText(EditId{layout.edit});
        std::string normalised = NormaliseFieldText(text);
        texts[layout.edit] = normalised.empty() ? text : std::move(normalised);
    }
    for (const int number : kRefreshedSteppers) {
        const StepperRule& rule = *FindStepperRule(number);
        texts[rule.edit] = StepperFieldText(rule, form.stepperPosition(StepperId{number}));
    }
    return texts;
}

}  // namespace

FormDesign ReadFormDesign(const FormModel& form) {
    FormDesign read;
    MotorDesign& design = read.design;
    design.grainKind =
        DecideGrainKind(form.isChecked(kCoredGrainsBox), form.isChecked(kEndGrainBox));
    if (design.grainKind == kNothing) {
        Diagnostic nothing;
        nothing.code = DiagnosticCode::kNothingToCalculate;
        read.message = DiagnosticText(nothing, kNothing, 0);
        return read;
    }
    const std::map<int, std::string> texts = FieldTextsToRead(form);
    InputSources sources;
    sources.fieldText = [&texts](int edit) -> std::string_view {
        const auto found = texts.find(edit);
        return found == texts.end() ? std::string_view() : std::string_view(found->second);
    };
    sources.selectedPropellant = form.selectedPropellant();
    sources.Os = form.stepperPosition(StepperId{2});
    sources.Cs = form.stepperPosition(StepperId{3});
    sources.Es = form.stepperPosition(StepperId{4});
    const ReadResult result = ReadAndValidate(sources, design);
    if (!result.ok) {
        read.message = result.message;
        return read;
    }
    const int Ftype = form.selectedPropellant() + 1;
    design.propellantName = PropellantName(Ftype);
    design.burnRate = ReadBurnRateTable(sources.fieldText, Ftype);
    const CheckSettingsReading checks = ReadCheckSettings(form.checkSettings());
    if (!checks.ok) {
        read.message = checks.message;
        return read;
    }
    design.limits = checks.limits;
    read.ok = true;
    return read;
}

}  // namespace tarvo
