#include "interop/design_figures.h"

#include <cmath>
#include <numbers>

#include "model/motor_design.h"

namespace tarvo {

double InitialBurningArea(const GrainSurfaces& g) {
    constexpr double kPi = std::numbers::pi;
    const double count = g.count;
    const double ends =
        g.endsBurn ? (g.outerDiameter * g.outerDiameter - g.coreDiameter * g.coreDiameter) * count *
                         2 * kPi / 4
                   : 0.0;
    const double core = g.coreBurns ? count * kPi * g.coreDiameter * g.length : 0.0;
    const double outer = g.outerBurns ? count * kPi * g.outerDiameter * g.length : 0.0;
    const double endGrain = g.endGrainDiameter * g.endGrainDiameter * kPi / 4;
    return ends + core + outer + endGrain;
}

double TemperatureForCharacteristicVelocity(double cStar, double k, double molarMass) {
    const double gasConstant = kUniversalGasConstant / molarMass;
    const double power = std::exp(std::log((k + 1) / 2) * (k + 1) / (k - 1));
    return cStar * cStar * k / (power * gasConstant);
}

}  // namespace tarvo
