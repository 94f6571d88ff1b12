#pragma once
// What one calculation of a motor design produces: every figure, the chart series, the time
// series, the 23 result rows and the diagnostics. A stage that did not run leaves its figures
// at 0; a stage that failed leaves what it had computed when it stopped.

#include <array>
#include <string>
#include <vector>

#include "model/diagnostic.h"
#include "model/motor_design.h"

namespace tarvo {

struct ChartPoint {
    double x = 0.0;
    double y = 0.0;

    bool operator==(const ChartPoint&) const = default;
};

using ChartSeries = std::vector<ChartPoint>;

double LargestX(const ChartSeries& series);  // 0 for an empty series
double LargestY(const ChartSeries& series);  // 0 for an empty series

// The propellant charge at a point of the time series: what is left of it and how it burns.
// After a burn-out (the tail-off points) it stays as the phase ended it.
struct ChargeState {
    double mass = 0.0;           // kg of propellant left
    double burningArea = 0.0;    // mm^2
    double web = 0.0;            // mm of web left (half the end-burning grain alone)
    double massFlux = 0.0;       // kg/(m^2 s): the gas made since the point before, per
                                 // second, over the free port area; 0 at the first point
    double coreDiameter = 0.0;   // mm
    double outerDiameter = 0.0;  // mm
    double coredLength = 0.0;    // mm, all cored grains together
    double tracerLength = 0.0;   // mm of the end-burning grain left
};

// One row of the time series that the pressure stage builds and the thrust stage completes.
struct TimePoint {
    double pressurePa = 0.0;      // absolute chamber pressure, Pa
    double throatAreaSI = 0.0;    // m^2
    double throatArea = 0.0;      // mm^2
    double expansionRatio = 0.0;  // Ae / At of the point (rows 0..834)
    double exitPressure = 0.0;    // Pa
    double optimumRatio = 0.0;    // optimum expansion ratio
    double Cf = 0.0;              // thrust coefficient
    double thrust = 0.0;          // N
    double time = 0.0;            // s
    double impulse = 0.0;         // impulse increment, N s
    ChargeState charge;
};

inline constexpr int kTimeSeriesRows = 883;    // points 0..882
inline constexpr int kLastTimePoint = 882;     // the closing point of the curve
inline constexpr int kLastBurningPoint = 834;  // last point of a simulation phase
inline constexpr int kSimulationSteps = 834;   // web steps of a simulation phase
inline constexpr int kTailPoints = 47;         // points of one tail-off

using TimeSeries = std::vector<TimePoint>;

// The time-series points the result table, the summary chart and the exports show.
inline constexpr std::array<int, 23> kResultRows = {0,   23,  44,  84,  126, 168, 210, 252,
                                                    294, 336, 378, 420, 462, 504, 546, 588,
                                                    630, 672, 724, 756, 798, 820, 882};

struct ResultRow {
    int point = 0;        // index into the time series
    double time = 0.0;    // s
    double thrust = 0.0;  // N
};

// Every figure of a calculation, in the units the window shows.
struct Quantities {
    // Geometry
    double Vc = 0.0;  // mm^3
    double Lg = 0.0;
    double Lgo = 0.0;
    double Vg = 0.0;
    double Vt = 0.0;
    double p = 0.0;
    double m = 0.0;
    double Abeo = 0.0;
    double Abco = 0.0;
    double Abso = 0.0;
    double Abtr = 0.0;
    double Abo = 0.0;
    double Ato = 0.0;
    double Dt = 0.0;
    double Dtf = 0.0;
    double w = 0.0;
    double RPrime = 0.0;
    double R = 0.0;
    double ToAct = 0.0;
    double cStar = 0.0;

    // Kn
    double KnStep = 0.0;
    double WebTotal = 0.0;
    double KnMax = 0.0;
    double KnMin = 0.0;
    double KnAvg = 0.0;
    double KnEnd = 0.0;

    // Pressure
    double SimStep = 0.0;
    double BurnTime = 0.0;
    double ThrustTime = 0.0;
    double TailStep = 0.0;
    double TailTime = 0.0;
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
    double PortThroatRatio = 0.0;  // free port area over throat area at the first point
    double PeakMassFlux = 0.0;     // kg/(m^2 s), the largest over the main phase

    // Thrust
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
    std::string MotorClass = "--";
};

enum class StageState { kNotRun, kFailed, kSucceeded };

struct CalculationResult {
    MotorDesign design;  // as calculated: the grain kind applied to the dimensions
    Quantities figures;
    StageState geometry = StageState::kNotRun;
    StageState kn = StageState::kNotRun;
    StageState pressure = StageState::kNotRun;
    StageState thrust = StageState::kNotRun;

    ChartSeries knCurve;          // Kn over the web regression (tail points after WebTotal)
    ChartSeries webCurve;         // remaining web (half the end-burning grain without cores)
    ChartSeries pressureCurve;    // (s, absolute MPa), ascending time
    ChartSeries thrustCurve;      // (s, N), points 1..882 of the time series
    TimeSeries timeSeries;        // empty unless the pressure stage succeeded
    std::vector<ResultRow> rows;  // the 23 result rows, once the thrust stage succeeded

    Diagnostics diagnostics;

    bool succeeded() const { return thrust == StageState::kSucceeded; }
    // The error that stopped the calculation, or nullptr.
    const Diagnostic* failure() const;
};

// Specific impulse in seconds: It / g0 / m.
double SpecificImpulse(const Quantities& figures);

}  // namespace tarvo
