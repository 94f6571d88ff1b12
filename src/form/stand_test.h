#pragma once
// A stand log against a design of the form: the comparison of the design as designed, and the
// fit of chosen inputs. tarvo-calc runs it on the design of a motor file; the window on the
// design of its last calculation.

#include <optional>
#include <span>
#include <vector>

#include "form/stand_calculation.h"
#include "stand/comparison.h"
#include "stand/curve_fit.h"

namespace tarvo {

struct StandTestRun {
    MeasuredCurve curve;
    std::optional<StandDesign> design;     // nothing when the motor did not calculate
    std::optional<CalculatedMotor> motor;  // the design as designed
    std::optional<Comparison> comparison;
    std::vector<FitParameter> chosen;
    std::optional<CurveFit> fit;

    // No fit was asked for, or it gave values.
    bool fitSucceeded() const { return !fit || fit->outcome == FitOutcome::kFitted; }
};

StandTestRun CompareWithDesign(MeasuredCurve curve, std::optional<StandDesign> design);

// Fits the chosen inputs of the run's design, starting from its values as designed.
void FitDesign(StandTestRun& run, std::span<const FitParameter> chosen);

}  // namespace tarvo
