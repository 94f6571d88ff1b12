#include "ballistics/geometry.h"

#include <cmath>
#include <numbers>

#include "ballistics/stage.h"

namespace tarvo {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kQuarterPi = std::numbers::pi / 4;

bool Refuse(CalculationResult& r, DiagnosticCode code, std::string_view subject = {}) {
    return Stop(r, Stage::kGeometry, code, subject);
}

// Zeroes the dimensions of the absent grain type; cored grains need a burning cylinder.
bool ApplyGrainKind(CalculationResult& r) {
    MotorDesign& d = r.design;
    const bool noRadialSurface = d.Cs + d.Os == 0;
    switch (d.grainKind) {
        case kCoredOnly:
            if (noRadialSurface) {
                return Refuse(r, DiagnosticCode::kNoBurningRadialSurface);
            }
            d.Lto = 0;
            d.Dto = 0;
            return true;
        case kEndBurnerOnly:
            d.Do = 0;
            d.do_ = 0;
            d.Lo = 0;
            d.N = 0;
            return true;
        case kCoredAndEndBurner:
            if (noRadialSurface) {
                return Refuse(r, DiagnosticCode::kNoBurningRadialSurface);
            }
            return true;
        default:
            return Refuse(r, DiagnosticCode::kNothingToCalculate);
    }
}

// (k+1)/2 to the power (k+1)/(k-1), as c* has it.
double CharacteristicPower(double k) {
    return std::exp(std::log((k + 1) / 2) * (k + 1) / (k - 1));
}

// Every value the step leaves for the window and the later stages must be a real number.
bool AllGeometryFinite(CalculationResult& r) {
    const Quantities& q = r.figures;
    return AllFinite(r, Stage::kGeometry,
                     {{"Lgo", q.Lgo},
                      {"Vg", q.Vg},
                      {"Vt", q.Vt},
                      {"p", q.p},
                      {"m", q.m},
                      {"Abeo", q.Abeo},
                      {"Abco", q.Abco},
                      {"Abso", q.Abso},
                      {"Abtr", q.Abtr},
                      {"Abo", q.Abo},
                      {"Ato", q.Ato},
                      {"Dt", q.Dt},
                      {"Dtf", q.Dtf},
                      {"w", q.w},
                      {"R", q.R},
                      {"To act", q.ToAct},
                      {"c*", q.cStar}});
}

// The gas constants and the characteristic velocity of the selected propellant.
bool ComputeGas(CalculationResult& r) {
    const MotorDesign& d = r.design;
    Quantities& q = r.figures;
    q.RPrime = kUniversalGasConstant;
    const PropellantSpec& propellant = d.propellant;
    if (propellant.M == 0) {
        return Refuse(r, DiagnosticCode::kZeroMolarMass, "M");
    }
    if (propellant.k <= 1 || propellant.k2ph <= 1) {
        return Refuse(r, DiagnosticCode::kSpecificHeatsNotAboveOne,
                      propellant.k <= 1 ? "k" : "k2ph");
    }
    q.R = q.RPrime / propellant.M;
    q.ToAct = d.uc * propellant.To;
    q.cStar = CharacteristicVelocity(propellant.k, q.R, q.ToAct);
    return true;
}

}  // namespace

BurningAreas InitialBurningAreas(const MotorDesign& d) {
    const bool cored = HasCoredGrains(d.grainKind);
    const bool endGrain = d.grainKind == kEndBurnerOnly || d.grainKind == kCoredAndEndBurner;
    // Counts are multiplied in 64 bits so that no grain count can overflow them.
    const std::int64_t N = cored ? d.N : 0;
    const auto endFaces = static_cast<double>(N * 2 * d.Es);
    const auto cores = static_cast<double>(N * d.Cs);
    const auto outers = static_cast<double>(N * d.Os);
    BurningAreas areas;
    areas.ends = (d.Do * d.Do - d.do_ * d.do_) * endFaces * kPi / 4;
    areas.cores = cores * kPi * d.do_ * d.Lo;
    areas.outers = outers * kPi * d.Do * d.Lo;
    areas.endGrain = endGrain ? d.Dto * d.Dto * kPi / 4 : 0.0;
    return areas;
}

double CharacteristicVelocity(double k, double R, double T) {
    return std::sqrt(CharacteristicPower(k) * R * T / k);
}

double TemperatureForCharacteristicVelocity(double cStar, double k, double R) {
    return cStar * cStar * k / (CharacteristicPower(k) * R);
}

bool ComputeGeometry(CalculationResult& r) {
    if (!ApplyGrainKind(r)) {
        return false;
    }
    MotorDesign& d = r.design;
    Quantities& q = r.figures;
    q.Lg = d.N * d.Lo;
    q.Lgo = q.Lg + d.Lto;
    q.Vg = (d.Do * d.Do - d.do_ * d.do_) * kQuarterPi * q.Lg + d.Dto * d.Dto * kQuarterPi * d.Lto;
    if (q.Vc != 0) {
        q.Vt = q.Vg / q.Vc;
    }
    if (q.Vt == 1) {
        return Refuse(r, DiagnosticCode::kNoFreeVolume);
    }
    if (q.Vg == 0) {
        return Refuse(r, DiagnosticCode::kNoPropellant);
    }
    if (q.Vc == 0) {
        return Refuse(r, DiagnosticCode::kZeroChamberVolume);
    }
    q.p = d.RoiRor * d.propellant.pPrime;
    q.m = q.p * q.Vg / 1000 / 1000;
    const BurningAreas areas = InitialBurningAreas(d);
    q.Abeo = areas.ends;
    q.Abco = areas.cores;
    q.Abso = areas.outers;
    q.Abtr = areas.endGrain;
    q.Abo = q.Abeo + q.Abco + q.Abso + q.Abtr;
    q.Ato = q.Abo / d.Kno;
    q.Dt = std::sqrt(4 * q.Ato / kPi);
    q.Dtf = std::sqrt(4 * q.Ato / kPi) + d.e;
    if (!ComputeGas(r)) {
        return false;
    }
    if (d.grainKind == kEndBurnerOnly) {
        q.w = d.Lto / 2;
        d.Cs = 0;
        d.Os = 0;
        d.Es = 1;
    } else {
        q.w = (d.Do - d.do_) / 2;
    }
    return AllGeometryFinite(r);
}

}  // namespace tarvo
