#include "form/stand_calculation.h"

#include <map>

#include "ballistics/geometry.h"
#include "form/form_layout.h"
#include "input/field_text.h"
#include "input/read_inputs.h"
#include "input/steppers.h"
#include "model/calculation.h"
#include "model/number_text.h"

namespace tarvo {

struct StandDesign::Inputs {
    MotorModel model;  // the inputs only, as read from the fields
    BurnRateTable table;
    double gasConstant = kUniversalGasConstant;
};

namespace {

constexpr int kGasConstantLabel = 26;
constexpr double kPascalsPerMegapascal = 1e6;

// The field texts as "Рассчитать" reads them after tidying the fields and rewriting those of
// the steppers.
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

// Isp = It / weight: the weight is what the program's own Isp divides the impulse by.
double PropellantWeight(double mass) {
    MotorModel probe;
    probe.It = 1.0;
    probe.m = mass;
    return 1.0 / SpecificImpulse(probe);
}

void ApplyFitValues(const FitValues& values, MotorModel& model, BurnRateTable& table) {
    model.uc = values[FitParameter::kUc];
    model.unoz = values[FitParameter::kUnoz];
    model.e = values[FitParameter::kErosion];
    for (BurnRateRange& range : table.ranges) {
        range.a *= values[FitParameter::kBurnRate];
    }
}

CalculatedMotor CurvesOf(const MotorModel& model) {
    CalculatedMotor motor;
    for (const TimePoint& point : model.timeSeries) {
        if (!motor.time.empty() && !(point.time > motor.time.back())) {
            continue;
        }
        motor.time.push_back(point.time);
        motor.thrust.push_back(point.thrust);
        motor.pressure.push_back(point.pressurePa / kPascalsPerMegapascal);
    }
    motor.Patm = model.Patm;
    motor.Pmax = model.Pmax;
    motor.propellantMass = model.m;
    motor.propellantWeight = PropellantWeight(model.m);
    return motor;
}

}  // namespace

FitValues StandDesign::nominal() const {
    const MotorModel& m = inputs_->model;
    return FitValues(1.0, m.uc, m.unoz, m.e);
}

double StandDesign::throatDiameter() const {
    MotorModel model = inputs_->model;
    return ComputeGeometry(model, inputs_->gasConstant).ok ? model.Dt : 0.0;
}

CalculatedMotor StandDesign::calculate(const FitValues& values) const {
    MotorModel model = inputs_->model;
    BurnRateTable table = inputs_->table;
    ApplyFitValues(values, model, table);
    const CalculationResult result = RunCalculation(model, table, inputs_->gasConstant);
    if (!result.succeeded) {
        CalculatedMotor failed;
        failed.failure = result.status;
        return failed;
    }
    return CurvesOf(model);
}

StandDesignResult DesignOfFields(const FormModel& form) {
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

    auto inputs = std::make_shared<StandDesign::Inputs>();
    MotorModel& model = inputs->model;
    model.grainKind =
        DecideGrainKind(form.isChecked(kCoredGrainsBox), form.isChecked(kEndGrainBox));
    if (model.grainKind == kNothing) {
        return {std::nullopt, std::string(kNothingToCalculateMessage)};
    }
    const ReadResult read = ReadAndValidate(sources, model);
    if (!read.ok) {
        return {std::nullopt, read.message};
    }
    const std::optional<double> gasConstant =
        ParseNumber(form.labelText(LabelId{kGasConstantLabel}));
    if (!gasConstant) {
        return {std::nullopt, NotANumberMessage({"R'", 2})};
    }
    inputs->gasConstant = *gasConstant;
    inputs->table = ReadBurnRateTable(sources.fieldText, model.Ftype);
    return {StandDesign(std::move(inputs)), ""};
}

}  // namespace tarvo
