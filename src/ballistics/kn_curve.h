#pragma once
// Kn (burning area over throat area) as the web burns back, in 50 steps.

#include "model/calculation_result.h"

namespace tarvo {

inline constexpr int kKnSteps = 50;

// Fills the Kn and web curves and KnStep, WebTotal, Kn max/min/avg/end. False, with the
// reason in the diagnostics, when a Kn is negative or a figure is not a real number.
bool ComputeKnCurve(CalculationResult& result);

}  // namespace tarvo
