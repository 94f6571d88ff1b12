#pragma once
// Kn (burning area over throat area) as the web burns back, in 50 steps.

#include <string>

#include "ballistics/stage.h"
#include "model/motor_model.h"

namespace tarvo {

inline constexpr int kKnSteps = 50;

struct KnCurveResult {
    ChartSeries kn;   // series 0: Kn over web regression (tail points after WebTotal)
    ChartSeries web;  // series 1: remaining web thickness (half the tracer length without cores)
    double knAxisMax = 0.0;
    double webAxisMax = 0.0;
    double regressionAxisMax = 0.0;
    std::string message;  // status text when the stage failed
};

// Sets model.flags.Kn on success.
KnCurveResult ComputeKnCurve(MotorModel& model);

}  // namespace tarvo
