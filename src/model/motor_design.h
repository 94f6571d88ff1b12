#pragma once
// A motor design as the calculation takes it: the chamber, the grains, the nozzle and the
// selected propellant's constants and burn-rate table. Inputs only: a calculation never changes
// them. Quantities keep the units the window shows (mm, g/cm^3, MPa, K).

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace tarvo {

// What the motor is made of, decided from the two grain check boxes.
enum GrainKind : std::int32_t {
    kNothing = 0,
    kCoredOnly = 1,
    kEndBurnerOnly = 2,
    kCoredAndEndBurner = 3,
};

// GrainKind from the two grain check boxes.
GrainKind DecideGrainKind(bool coredGrains, bool endBurningGrain);

inline bool HasCoredGrains(GrainKind kind) {
    return kind == kCoredOnly || kind == kCoredAndEndBurner;
}

// The constants of one propellant.
struct PropellantSpec {
    double pPrime = 0.0;  // ideal density, g/cm^3
    double k2ph = 0.0;    // ratio of specific heats, two-phase flow
    double k = 0.0;       // ratio of specific heats, mixture
    double M = 0.0;       // effective molar mass, kg/kmol
    double To = 0.0;      // adiabatic flame temperature, K
};

inline constexpr int kPropellantCount = 3;
inline constexpr int kBurnRateRanges = 5;

// One pressure range of the burn-rate law r = a * P^n.
struct BurnRateRange {
    double lower = 0.0;  // MPa, inclusive
    double upper = 0.0;  // MPa, inclusive
    double a = 0.0;      // mm/s at 1 MPa
    double n = 0.0;
};

// The five ranges of one propellant. A table with a cell that is not a number cannot be looked
// up: `nonNumericCell` marks it, and the pressure stage refuses it.
struct BurnRateTable {
    std::array<BurnRateRange, kBurnRateRanges> ranges{};
    bool nonNumericCell = false;
};

inline constexpr double kUniversalGasConstant = 8314;  // J/(kmol K)

// The casing the motor is built in: its material's strength and its wall.
struct CasingSpec {
    double strength = 0.0;  // MPa: the strength the burst pressure is reckoned from
    double wall = 0.0;      // mm
};

// What the design checks hold a calculated motor to.
struct DesignLimits {
    std::optional<CasingSpec> casing;  // none: the casing is not checked
    double safetyFactor = 2.0;         // burst pressure over the peak gauge pressure
    double minPortThroat = 2.0;        // initial port area over throat area
    double maxMassFlux = 1406;         // kg/(m^2 s), 2 lb/(in^2 s)
    double maxPressure = 10.34;        // MPa, 1500 psi
};

struct MotorDesign {
    GrainKind grainKind = kNothing;

    // The selected propellant: its designation ("KN/SB-65/35"), constants and burn-rate table
    std::string propellantName;
    PropellantSpec propellant;
    BurnRateTable burnRate;

    // Chamber, mm
    double Dc = 0.0;
    double Lc = 0.0;

    // Cored grains
    double Do = 0.0;
    double do_ = 0.0;
    double Lo = 0.0;
    std::int32_t N = 0;
    std::int32_t Os = 0;  // outer surface burning (1) or inhibited (0)
    std::int32_t Cs = 0;  // core surface
    std::int32_t Es = 0;  // both end faces of every grain
    double RoiRor = 0.0;  // real density / ideal density

    // End-burning grain, mm
    double Lto = 0.0;
    double Dto = 0.0;

    // Burning and nozzle
    double Kno = 0.0;   // initial burning area / throat area
    double e = 0.0;     // throat erosion over the burn, mm
    double uc = 0.0;    // combustion efficiency
    double Patm = 0.0;  // ambient pressure, MPa
    double GStar = 0.0;
    double kv = 0.0;
    double unoz = 0.0;
    double AeAt = 0.0;

    DesignLimits limits;
};

// Chamber volume Dc^2 * pi/4 * Lc in mm^3.
double ChamberVolume(double Dc, double Lc);

}  // namespace tarvo
