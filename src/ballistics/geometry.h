#pragma once
// Charge volume and mass, initial burning areas, the throat, and the gas constants.

#include "model/calculation_result.h"

namespace tarvo {

// Applies the grain kind to result.design (the dimensions of an absent grain type become 0)
// and derives Lg, Lgo, Vg, Vt, p, m, the burning areas, Ato, Dt, Dtf, R', R, To act, c* and w.
// False, with the reason in the diagnostics, for a design it cannot calculate.
bool ComputeGeometry(CalculationResult& result);

}  // namespace tarvo
