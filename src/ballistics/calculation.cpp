#include "ballistics/calculation.h"

#include "ballistics/design_checks.h"
#include "ballistics/geometry.h"
#include "ballistics/kn_curve.h"
#include "ballistics/pressure.h"
#include "ballistics/thrust.h"

namespace tarvo {
namespace {

StageState Outcome(bool succeeded) {
    return succeeded ? StageState::kSucceeded : StageState::kFailed;
}

// The stages in their order, each only when the one before it succeeded.
void RunStages(CalculationResult& result) {
    result.geometry = Outcome(ComputeGeometry(result));
    if (result.geometry != StageState::kSucceeded) {
        return;
    }
    result.kn = Outcome(ComputeKnCurve(result));
    if (result.kn != StageState::kSucceeded) {
        return;
    }
    result.pressure = Outcome(SimulatePressure(result));
    if (result.pressure != StageState::kSucceeded) {
        return;
    }
    result.thrust = Outcome(ComputeThrust(result));
}

}  // namespace

CalculationResult ResultBeforeStages(const MotorDesign& design) {
    CalculationResult result;
    result.design = design;
    result.figures.Vc = ChamberVolume(design.Dc, design.Lc);
    return result;
}

CalculationResult Calculate(const MotorDesign& design) {
    CalculationResult result = ResultBeforeStages(design);
    RunStages(result);
    CheckDesign(result);
    return result;
}

}  // namespace tarvo
