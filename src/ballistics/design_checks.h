#pragma once
// The checks that tell a dangerous or poor motor from a sound one, on the figures of its
// calculation: the port against the throat, the mass flux, the casing's strength, the peak
// pressure, the nozzle's expansion and the length of the burn. Each adds a diagnostic with its
// value and limit.

#include "model/calculation_result.h"

namespace tarvo {

// The limit below which the exit pressure lets the flow separate, as a part of ambient, and
// the part of the thrust time it may last.
inline constexpr double kSeparationPressureRatio = 0.4;
inline constexpr double kSeparationTimeLimit = 0.05;
// A burn shorter than this cannot be a motor: the grains or Kn are wrong.
inline constexpr double kShortestBurn = 0.05;  // s

// Pb = 2 sigma t / (Dc + 2 t): the casing's burst pressure (MPa) by Barlow's formula on the
// outer diameter.
double BurstPressure(const CasingSpec& casing, double innerDiameter);

// Adds the checks that the stages the result reached allow: the port and mass flux once the
// pressure stage ran, the rest once it succeeded, the nozzle's once the thrust stage did. A
// pressure out of the burn-rate table gets the table's upper bound as its limit.
void CheckDesign(CalculationResult& result);

}  // namespace tarvo
