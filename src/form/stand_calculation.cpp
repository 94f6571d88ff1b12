#include "form/stand_calculation.h"

#include "ballistics/calculation.h"
#include "form/diagnostic_text.h"
#include "form/form_design.h"

namespace tarvo {

struct StandDesign::Inputs {
    MotorDesign design;  // as read from the fields
    int Ftype = 0;       // the selected propellant, for the status texts
};

namespace {

constexpr double kPascalsPerMegapascal = 1e6;

// Isp = It / weight: the weight is what the program's own Isp divides the impulse by.
double PropellantWeight(double mass) {
    Quantities probe;
    probe.It = 1.0;
    probe.m = mass;
    return 1.0 / SpecificImpulse(probe);
}

void ApplyFitValues(const FitValues& values, MotorDesign& design) {
    design.uc = values[FitParameter::kUc];
    design.unoz = values[FitParameter::kUnoz];
    design.e = values[FitParameter::kErosion];
    for (BurnRateRange& range : design.burnRate.ranges) {
        range.a *= values[FitParameter::kBurnRate];
    }
}

CalculatedMotor CurvesOf(const CalculationResult& result) {
    CalculatedMotor motor;
    for (const TimePoint& point : result.timeSeries) {
        if (!motor.time.empty() && !(point.time > motor.time.back())) {
            continue;
        }
        motor.time.push_back(point.time);
        motor.thrust.push_back(point.thrust);
        motor.pressure.push_back(point.pressurePa / kPascalsPerMegapascal);
    }
    motor.Patm = result.design.Patm;
    motor.Pmax = result.figures.Pmax;
    motor.propellantMass = result.figures.m;
    motor.propellantWeight = PropellantWeight(result.figures.m);
    return motor;
}

}  // namespace

FitValues StandDesign::nominal() const {
    const MotorDesign& d = inputs_->design;
    return FitValues(1.0, d.uc, d.unoz, d.e);
}

double StandDesign::throatDiameter() const {
    const CalculationResult result = Calculate(inputs_->design);
    return result.geometry == StageState::kSucceeded ? result.figures.Dt : 0.0;
}

CalculatedMotor StandDesign::calculate(const FitValues& values) const {
    MotorDesign design = inputs_->design;
    ApplyFitValues(values, design);
    const CalculationResult result = Calculate(design);
    if (!result.succeeded()) {
        CalculatedMotor failed;
        failed.failure = DiagnosticText(*result.failure(), design.grainKind, inputs_->Ftype);
        return failed;
    }
    return CurvesOf(result);
}

StandDesignResult DesignOfFields(const FormModel& form) {
    FormDesign read = ReadFormDesign(form);
    if (!read.ok) {
        return {std::nullopt, read.message};
    }
    auto inputs = std::make_shared<StandDesign::Inputs>();
    inputs->design = std::move(read.design);
    inputs->Ftype = form.selectedPropellant() + 1;
    return {StandDesign(std::move(inputs)), ""};
}

}  // namespace tarvo
