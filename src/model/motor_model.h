#pragma once
// The one record a calculation works on: the inputs of the design, the selected propellant's
// constants, every derived quantity and every stage result. Quantities keep the units the
// window shows (mm, mm^2, mm^3, g/cm^3, kg, MPa, K, s, N, N s).

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tarvo {

// What the motor is made of, decided from the two grain check boxes.
enum GrainKind : std::int32_t {
    kNothing = 0,
    kCoredOnly = 1,
    kEndBurnerOnly = 2,
    kCoredAndEndBurner = 3,
};

// The constants of one propellant (one row of tab 5).
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

// The five ranges of one propellant, as typed on tab 5. A cell whose text is not a number
// cannot be looked up: `nonNumericCell` marks such a table.
struct BurnRateTable {
    std::array<BurnRateRange, kBurnRateRanges> ranges{};
    bool nonNumericCell = false;
};

struct StageFlags {
    bool Kn = false;
    bool Pressure = false;
    bool Thrust = false;
};

// One row of the time series: positions 0..10 of the table the pressure stage builds and the
// thrust stage completes.
struct TimePoint {
    double pressurePa = 0.0;      // 0: absolute chamber pressure, Pa
    double throatAreaSI = 0.0;    // 1: throat area, m^2
    double throatArea = 0.0;      // 2: throat area, mm^2
    double expansionRatio = 0.0;  // 3: Ae / At of the point (rows 0..834)
    double exitPressure = 0.0;    // 4: Pa
    double optimumRatio = 0.0;    // 5: optimum expansion ratio
    double Cf = 0.0;              // 6: thrust coefficient
    double thrust = 0.0;          // 7: N
    double time = 0.0;            // 8: s
    double impulse = 0.0;         // 9: impulse increment, N s
    double unused = 0.0;          // 10
};

inline constexpr int kTimeSeriesRows = 883;    // points 0..882
inline constexpr int kLastTimePoint = 882;     // the closing point of the curve
inline constexpr int kLastBurningPoint = 834;  // last point of a simulation phase
inline constexpr int kSimulationSteps = 834;   // web steps of a simulation phase
inline constexpr int kTailPoints = 47;         // points of one tail-off

using TimeSeries = std::vector<TimePoint>;

struct MotorModel {
    // Run control
    std::int32_t grainKind = kNothing;
    StageFlags flags;
    bool ThrustPassFlag = false;  // kept between runs

    // Propellant data
    std::int32_t Ftype = 0;  // 1..3, 0 when nothing is selected (kept)
    std::array<PropellantSpec, kPropellantCount> propellants{};  // constants read from tab 5
    double pPrime = 0.0;
    double k2ph = 0.0;
    double k = 0.0;
    double M = 0.0;
    double To = 0.0;
    double RPrime = 0.0;  // universal gas constant, J/(kmol K)
    double R = 0.0;       // J/(kg K)
    double ToAct = 0.0;   // K
    double cStar = 0.0;   // m/s

    // Chamber
    double Dc = 0.0;
    double Lc = 0.0;
    double Vc = 0.0;

    // Cored grains
    double Do = 0.0;
    double do_ = 0.0;
    double Lo = 0.0;
    std::int32_t N = 0;   // kept
    std::int32_t Os = 0;  // outer surface burning (kept)
    std::int32_t Cs = 0;  // core surface burning (kept)
    std::int32_t Es = 0;  // end faces burning (kept)
    double RoiRor = 0.0;

    // End-burning grain
    double Lto = 0.0;
    double Dto = 0.0;

    // Burning and nozzle inputs
    double Kno = 0.0;
    double e = 0.0;
    double uc = 0.0;
    double Patm = 0.0;
    double GStar = 0.0;
    double kv = 0.0;
    double unoz = 0.0;
    double AeAt = 0.0;

    // Geometry results
    double Lg = 0.0;
    double Lgo = 0.0;
    double Vg = 0.0;
    double Vt = 0.0;
    double p = 0.0;
    double m = 0.0;
    double Abeo = 0.0;
    double Abco = 0.0;
    double Abso = 0.0;
    double Abtr = 0.0;  // kept; always recomputed
    double Abo = 0.0;
    double Ato = 0.0;
    double Dt = 0.0;
    double Dtf = 0.0;
    double w = 0.0;

    // Kn results
    double KnStep = 0.0;
    std::int32_t RadialSurfaces = 0;  // kept
    double WebTotal = 0.0;
    double KnMax = 0.0;
    double KnMin = 0.0;
    double KnAvg = 0.0;
    double KnEnd = 0.0;

    // Pressure results
    double SimStep = 0.0;
    std::int32_t PointCount = 0;
    double BurnTime = 0.0;
    double ThrustTime = 0.0;
    double TailStep = 0.0;
    double TailTime = 0.0;
    double TailPressure = 0.0;
    double Pmax = 0.0;
    double PEnd = 0.0;
    double AtEnd = 0.0;
    double AtEndSI = 0.0;
    double StepRateMean = 0.0;
    double AvgBurnRate = 0.0;
    double TracerPressure = 0.0;
    double TracerPmax = 0.0;
    double TracerEnd = 0.0;
    double TracerTailEnd = 0.0;
    double TracerAtEnd = 0.0;
    double TracerAtEndSI = 0.0;
    double TracerRate = 0.0;
    double TracerTailTime = 0.0;
    TimeSeries timeSeries;  // empty until the first pressure stage; kept by the reset

    // Thrust results
    double Ae = 0.0;
    double De = 0.0;
    double Meo = 0.0;
    double Mef = 0.0;
    double AeAtOpt = 0.0;
    double AeAtOptMid = 0.0;
    double wf = 0.0;
    double CfMax = 0.0;
    double Fmax = 0.0;
    double Favg = 0.0;
    double It = 0.0;
    double PassMach = 0.0;
    std::string MotorClass = "--";
};

// Zeroes the computed and copied parts of the model; keeps Ftype, N, Os, Cs, Es, Abtr,
// RadialSurfaces, ThrustPassFlag and the time series.
void ResetModel(MotorModel& model);

// Specific impulse in seconds as the window shows it: It / g0 / m.
double SpecificImpulse(const MotorModel& model);

}  // namespace tarvo
