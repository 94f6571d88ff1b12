#pragma once
// Thrust, impulse and nozzle figures over the time series, in two passes: the first, with a
// placeholder exit Mach number, finds the real one; the second uses it and fills the 23 result
// rows.

#include "model/calculation_result.h"

namespace tarvo {

// Completes result.timeSeries with the nozzle figures and thrust of the second pass and fills
// the thrust curve, the result rows and the thrust figures. False, with the reason in the
// diagnostics, when a pass fails.
bool ComputeThrust(CalculationResult& result);

}  // namespace tarvo
