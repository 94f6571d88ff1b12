#pragma once
// Chamber pressure over time from the gas mass balance: the main phase, the end-burning
// grain's own phase, and the tail-off after burn-out. Builds the time series.

#include "model/calculation_result.h"

namespace tarvo {

// Phase-2 points from this index on are drawn; the ones before fall under the first tail-off.
inline constexpr int kFirstDrawnPhase2Point = 94;

// Fills the pressure curve, the time series and the pressure figures. False, with the reason
// in the diagnostics, when the burn-rate table cannot be used, no range holds a pressure, or a
// figure is not a real number.
bool SimulatePressure(CalculationResult& result);

}  // namespace tarvo
