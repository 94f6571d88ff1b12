#pragma once
// Fitting the calculation's inputs to a measured curve: least squares of the thrust difference
// (and of the chamber pressure's, when the log has it), each normalised by its measured
// maximum so that both count alike, over the measured burn and as long again after it.
// Bounded Levenberg-Marquardt with central differences. The calculated curve's own ignition
// is laid on the measured one's.
//
// Thrust alone often cannot tell the efficiencies from each other or from the burn rate. When
// the approximate covariance of the estimates, (J^T J)^-1 at the solution, correlates two of the
// chosen parameters by more than 0,95, or J^T J is singular, the fit names them instead of
// returning values that the data do not determine.

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "stand/calculated_motor.h"
#include "stand/fit_parameters.h"
#include "stand/measured_curve.h"

namespace tarvo {

inline constexpr double kAmbiguousCorrelation = 0.95;

// Calculates the motor with the given values of the four inputs.
using MotorCalculator = std::function<CalculatedMotor(const FitValues& values)>;

enum class FitOutcome {
    kFitted,
    kAmbiguous,  // `ambiguous` names the parameters the data cannot tell apart
    kFailed,     // `message` says why (the calculation failed at the starting values)
};

struct CurveFit {
    FitOutcome outcome = FitOutcome::kFailed;
    FitValues values;                     // the chosen ones fitted, the others as they started
    std::vector<FitParameter> ambiguous;  // in the order of kFitParameterLayouts
    double rms = 0.0;                     // N: thrust difference over the measured burn
    double startRms = 0.0;                // N: the same before the fit
    std::optional<CalculatedMotor> fitted;
    std::string message;
    int calculations = 0;
};

// `chosen` holds at least one parameter; `start` lies within `bounds` (it is moved into them).
CurveFit FitCurve(const MeasuredCurve& curve, std::span<const FitParameter> chosen,
                  const FitValues& start, const FitBounds& bounds,
                  const MotorCalculator& calculate);

// The thrust difference (N, root mean square) between the measured burn and a calculated motor
// laid on it; nothing when the motor failed or does not burn.
std::optional<double> ThrustRms(const MeasuredCurve& curve, const CalculatedMotor& motor);

}  // namespace tarvo
