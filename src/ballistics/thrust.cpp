#include "ballistics/thrust.h"

#include <cmath>
#include <numbers>

#include "ballistics/exit_mach.h"
#include "ballistics/motor_class.h"
#include "ballistics/stage.h"

namespace tarvo {
namespace {

constexpr double kPi = std::numbers::pi;
// The first pass does not know the exit Mach number yet; at Mach 100 the exit pressure is
// practically nil, so every point is taken at ambient pressure.
constexpr double kPlaceholderExitMach = 100;

// Per-pass constants of the nozzle formulas (k is the two-phase ratio k2ph).
struct Nozzle {
    double k = 0.0;
    double Pa = 0.0;  // ambient pressure, Pa
    double exitDivisor = 0.0;
    double momentumFactor = 0.0;  // 2k^2/(k-1) (2/(k+1))^((k+1)/(k-1))
    double unoz = 0.0;
    double Ae = 0.0;  // mm^2
};

Nozzle MakeNozzle(const MotorDesign& d, const Quantities& q, double exitMach) {
    Nozzle n;
    n.k = d.propellant.k2ph;
    n.Pa = d.Patm * 1000000;
    const double k = n.k;
    n.exitDivisor = std::pow(1 + (k - 1) / 2 * exitMach * exitMach, k / (k - 1));
    n.momentumFactor = 2 * k * k / (k - 1) * std::pow(2 / (k + 1), (k + 1) / (k - 1));
    n.unoz = d.unoz;
    n.Ae = q.Ae;
    return n;
}

// The area ratio that expands the flow exactly to ambient pressure; not finite when it
// cannot be evaluated.
double OptimumExpansionRatio(const Nozzle& n, double P) {
    const double k = n.k;
    const double ratio = n.Pa / P;
    return 1 / (std::pow((k + 1) / 2, 1 / (k - 1)) * std::pow(ratio, 1 / k) *
                std::sqrt((k + 1) / (k - 1) * (1 - std::pow(ratio, (k - 1) / k))));
}

double ThrustCoefficient(const Nozzle& n, double P, double Pe, double throatArea) {
    const double k = n.k;
    const double momentum =
        n.unoz * std::sqrt(n.momentumFactor * (1 - std::pow(Pe / P, (k - 1) / k)));
    return momentum + (Pe - n.Pa) / P * n.Ae / throatArea;
}

// Exit pressure, optimum ratio and Cf of a point 1..881; a point at or below ambient pressure
// (or one whose optimum ratio cannot be evaluated) is taken at ambient pressure.
void NozzlePoint(const Nozzle& n, TimePoint& point) {
    if (n.Pa >= point.pressurePa) {
        point.pressurePa = n.Pa;
        point.optimumRatio = 1;
    } else {
        point.optimumRatio = OptimumExpansionRatio(n, point.pressurePa);
        if (!std::isfinite(point.optimumRatio)) {
            point.pressurePa = n.Pa;
            point.optimumRatio = 1;
        }
    }
    point.Cf = ThrustCoefficient(n, point.pressurePa, point.exitPressure, point.throatArea);
}

struct Sums {
    double ratioSum = 1.0;  // starts at 1, as the average has always done
    int ratioCount = 0;
};

// Thrust and impulse at every point; the impulse and the optimum ratios are summed over the
// points within the thrust time.
void ProcessPoints(const Nozzle& n, TimeSeries& series, Quantities& q, ChartSeries& curve,
                   Sums& sums) {
    for (int i = 0; i <= kLastTimePoint; ++i) {
        TimePoint& point = series[i];
        if (i <= kLastBurningPoint) {
            point.expansionRatio = n.Ae / point.throatArea;
        }
        point.exitPressure = point.pressurePa / n.exitDivisor;
        if (n.Pa > point.exitPressure) {
            point.exitPressure = n.Pa;
        }
        if (i == 0) {
            point.optimumRatio = 1;
            point.Cf = n.unoz;
            point.thrust = 0;
            point.impulse = 0;
            continue;
        }
        if (i < kLastTimePoint) {
            NozzlePoint(n, point);
        } else {
            point.optimumRatio = 1;
            point.Cf = series[i - 1].Cf;
        }
        const TimePoint& previous = series[i - 1];
        point.thrust = point.Cf * point.throatAreaSI * point.pressurePa;
        point.impulse = (previous.thrust + point.thrust) / 2 * (point.time - previous.time);
        if (point.time <= q.ThrustTime) {
            q.It += point.impulse;
            sums.ratioSum += point.optimumRatio;
            ++sums.ratioCount;
        }
        curve.push_back({point.time, point.thrust});
    }
}

// Largest optimum ratio and Cf while the propellant burns, point 0 included.
void BurningMaxima(const TimeSeries& series, Quantities& q) {
    q.AeAtOpt = 0;
    q.CfMax = 0;
    for (const TimePoint& point : series) {
        if (point.time <= q.BurnTime) {
            q.AeAtOpt = point.optimumRatio > q.AeAtOpt ? point.optimumRatio : q.AeAtOpt;
            q.CfMax = point.Cf > q.CfMax ? point.Cf : q.CfMax;
        }
    }
}

double LargestThrust(const TimeSeries& series) {
    double largest = 0;
    for (const TimePoint& point : series) {
        largest = point.thrust > largest ? point.thrust : largest;
    }
    return largest;
}

bool AllThrustFinite(CalculationResult& r, const ChartSeries& curve) {
    const Quantities& q = r.figures;
    return AllFinite(r, Stage::kThrust,
                     {{"Ae", q.Ae},
                      {"De", q.De},
                      {"wf", q.wf},
                      {"It", q.It},
                      {"Favg", q.Favg},
                      {"Fmax", q.Fmax},
                      {"Ae/At opt", q.AeAtOpt},
                      {"Ae/At opt mid", q.AeAtOptMid},
                      {"Cf max", q.CfMax},
                      {"Meo", q.Meo},
                      {"Mef", q.Mef},
                      {"Isp", SpecificImpulse(q)}}) &&
           AllFinite(r, Stage::kThrust, curve, series_name::kThrustCurve);
}

// One pass over the points `in` with the exit Mach number `exitMach`: the points with their
// nozzle figures and thrust go to `out`, the figures to result.figures. The class letter is
// written only for a positive impulse, so a pass without one keeps the letter it found.
bool ThrustPass(CalculationResult& r, const TimeSeries& in, double exitMach, TimeSeries& out,
                ChartSeries& curve) {
    const MotorDesign& d = r.design;
    Quantities& q = r.figures;
    q.Ae = d.AeAt * q.Ato;
    q.De = std::sqrt(4 * q.Ae / kPi);
    q.wf = d.grainKind == kEndBurnerOnly ? 0 : 2 * q.StepRateMean * q.BurnTime / d.Do;
    out = in;
    TimePoint& last = out[kLastTimePoint];
    last.pressurePa = 0;
    last.time = out[kLastTimePoint - 1].time + q.TailStep;
    q.It = 0;
    Sums sums;
    curve.clear();
    curve.reserve(kLastTimePoint);
    ProcessPoints(MakeNozzle(d, q, exitMach), out, q, curve, sums);
    if (q.ThrustTime > 0) {
        q.Favg = q.It / q.ThrustTime;
    }
    BurningMaxima(out, q);
    if (sums.ratioCount == 0) {
        return Stop(r, Stage::kThrust, DiagnosticCode::kThrustTimeTooShort);
    }
    q.AeAtOptMid = sums.ratioSum / sums.ratioCount;
    q.Meo = ExitMachNumber(d.AeAt, d.propellant.k);
    q.Mef = ExitMachNumber(out[kLastBurningPoint].expansionRatio, d.propellant.k);
    q.Fmax = LargestThrust(out);
    if (q.It > 0) {
        q.MotorClass = MotorClassFor(q.It);
    }
    return AllThrustFinite(r, curve);
}

bool FillResultRows(CalculationResult& r) {
    ChartSeries summary;
    for (const int index : kResultRows) {
        const TimePoint& point = r.timeSeries[index];
        r.rows.push_back({index, point.time, point.thrust});
        summary.push_back({point.time, point.thrust});
    }
    return AllFinite(r, Stage::kThrust, summary, series_name::kThrustTable);
}

}  // namespace

bool ComputeThrust(CalculationResult& r) {
    TimeSeries first;
    ChartSeries curve;
    if (!ThrustPass(r, r.timeSeries, kPlaceholderExitMach, first, curve)) {
        return false;
    }
    TimeSeries second;
    if (!ThrustPass(r, first, r.figures.Meo, second, curve)) {
        return false;
    }
    r.timeSeries = std::move(second);
    r.thrustCurve = std::move(curve);
    return FillResultRows(r);
}

}  // namespace tarvo
