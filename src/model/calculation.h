#pragma once
// The stage chain of a calculation, without a window: geometry, Kn, pressure and the two
// thrust passes, each run only when the one before it succeeded.

#include <optional>
#include <string>

#include "ballistics/geometry.h"
#include "ballistics/kn_curve.h"
#include "ballistics/pressure.h"
#include "ballistics/thrust.h"
#include "model/motor_model.h"

namespace tarvo {

inline constexpr std::string_view kSuccessMessage = "Расчёт проведён успешно";
inline constexpr std::string_view kNothingToCalculateMessage = "Нечего считать";

// What a run produced for the window. A stage that did not run has no result; a stage that
// ran and failed has a result with its message, and the window clears that stage's tab.
struct CalculationResult {
    GeometryResult geometry;
    std::optional<KnCurveResult> kn;
    std::optional<PressureResult> pressure;
    std::optional<ThrustResult> thrust;  // the last pass that ran
    bool knSucceeded = false;
    bool pressureSucceeded = false;
    bool succeeded = false;  // all three stages
    std::string status;      // status text after the run

    bool stagesRan() const { return kn.has_value(); }
};

// GrainKind from the two grain check boxes.
GrainKind DecideGrainKind(bool coredGrains, bool endBurningGrain);

// The stages after a successful geometry step: Kn, pressure (when Kn succeeded) and the thrust
// passes (when the pressure succeeded). Fills the stages' results and, on a failure, the status.
void RunStages(MotorModel& model, const BurnRateTable& table, CalculationResult& result);

// Runs geometry and the stages on a model whose inputs (grain kind, propellant constants,
// dimensions) are filled. Leaves GrainKind 0 and the stage flags false, as after any run.
CalculationResult RunCalculation(MotorModel& model, const BurnRateTable& table,
                                 double universalGasConstant = kUniversalGasConstant);

}  // namespace tarvo
