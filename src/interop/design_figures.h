#pragma once
// The figures an import or export needs from the calculation's formulas, before any
// calculation runs: the initial burning area that Kno relates to the throat, and the flame
// temperature that gives a propellant's characteristic velocity. They follow the geometry step
// (burning areas, c* with a combustion efficiency of 1) and are kept here, in one place, so
// that they move with it.

namespace tarvo {

struct GrainSurfaces {
    double outerDiameter = 0;  // mm, of one cored grain
    double coreDiameter = 0;   // mm
    double length = 0;         // mm, of one cored grain
    int count = 0;
    bool outerBurns = false;
    bool coreBurns = false;
    bool endsBurn = false;
    double endGrainDiameter = 0;  // mm; 0 without an end-burning grain
};

// mm^2: both ends, the core and the outer surface of every cored grain, as far as they burn,
// and the one burning face of the end-burning grain.
double InitialBurningArea(const GrainSurfaces& grains);

// K: the flame temperature whose characteristic velocity (m/s) is `cStar` for a gas of ratio
// of specific heats `k` and molar mass `molarMass` (kg/kmol). Not finite for k <= 1.
double TemperatureForCharacteristicVelocity(double cStar, double k, double molarMass);

}  // namespace tarvo
