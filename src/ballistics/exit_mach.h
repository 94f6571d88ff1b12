#pragma once
// The supersonic exit Mach number for a nozzle area ratio.

namespace tarvo {

// How the walk reads a residual (target area ratio minus the ratio at the current Mach number):
// rounded to three decimals, is it negative, and does it lie less than 10 away from zero?
bool ResidualRoundsNegative(double residual);
bool ResidualRoundsNearTarget(double residual);

// A/A* at Mach M for a ratio of specific heats kappa.
double IsentropicAreaRatio(double M, double kappa);

// Walks down from Mach 100 (steps of 0.1 while the residual rounded to three decimals is at
// least 10 away, then 0.0001) and stops one step below the first Mach number whose rounded
// residual is not negative. A walk that ends below Mach 1 (no supersonic solution) gives 1.
double ExitMachNumber(double areaRatio, double kappa);

// The same walk evaluated at every step; the reference the fast search must match.
double ExitMachNumberStepwise(double areaRatio, double kappa);

}  // namespace tarvo
