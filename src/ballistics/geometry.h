#pragma once
// Charge volume and mass, initial burning areas, the throat, and the gas constants.

#include "model/calculation_result.h"

namespace tarvo {

// The initial burning areas of a design, mm^2: both ends, the cores and the outer surfaces of
// all cored grains as far as they burn, and the one face of the end-burning grain.
struct BurningAreas {
    double ends = 0.0;
    double cores = 0.0;
    double outers = 0.0;
    double endGrain = 0.0;

    double total() const { return ends + cores + outers + endGrain; }
};
BurningAreas InitialBurningAreas(const MotorDesign& design);

// The characteristic velocity c* (m/s) of a gas of ratio of specific heats k, specific gas
// constant R (J/(kg K)) and temperature T (K), and the temperature that gives a c*.
double CharacteristicVelocity(double k, double R, double T);
double TemperatureForCharacteristicVelocity(double cStar, double k, double R);

// Applies the grain kind to result.design (the dimensions of an absent grain type become 0)
// and derives Lg, Lgo, Vg, Vt, p, m, the burning areas, Ato, Dt, Dtf, R', R, To act, c* and w.
// False, with the reason in the diagnostics, for a design it cannot calculate.
bool ComputeGeometry(CalculationResult& result);

}  // namespace tarvo
