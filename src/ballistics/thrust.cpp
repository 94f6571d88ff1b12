#include "ballistics/thrust.h"

#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "ballistics/exit_mach.h"
#include "ballistics/motor_class.h"
#include "ballistics/stage.h"

namespace tarvo {
namespace {

constexpr double kPi = std::numbers::pi;
// The first pass does not know the exit Mach number yet; at Mach 100 the exit pressure is
// practically nil, so every point is taken at ambient pressure.
constexpr double kPlaceholderExitMach = 100;

// (P2/P1)^((k-1)/k) of the nozzle formulas for the pressure ratios of one calculation. The
// same ratios recur: the ambient over a point's pressure, which the optimum ratio and Cf of the
// first pass and Cf of the tail-off in the second take, and the exit over the chamber pressure,
// which the second pass finds nearly constant. Each is computed once.
class PressurePowers {
public:
    explicit PressurePowers(double k) : exponent_((k - 1) / k) {}

    double at(int point, double ratio) {
        Entry& own = byPoint_[point];
        if (own.known && own.ratio == ratio) {
            return own.power;
        }
        for (const Entry& entry : recent_) {
            if (entry.known && entry.ratio == ratio) {
                return entry.power;
            }
        }
        const Entry computed{ratio, std::pow(ratio, exponent_), true};
        recent_[next_] = computed;
        next_ = (next_ + 1) % recent_.size();
        if (!own.known) {
            own = computed;
        }
        return computed.power;
    }

private:
    struct Entry {
        double ratio = 0.0;
        double power = 0.0;
        bool known = false;
    };

    double exponent_;
    std::vector<Entry> byPoint_ = std::vector<Entry>(kTimeSeriesRows);
    std::array<Entry, 4> recent_{};
    std::size_t next_ = 0;
};

// What both passes share: the pressure powers and the exit Mach numbers already found.
struct ThrustWork {
    explicit ThrustWork(double k) : powers(k) {}

    double exitMach(double areaRatio, double kappa) {
        for (const MachFound& found : mach) {
            if (found.areaRatio == areaRatio && found.kappa == kappa) {
                return found.M;
            }
        }
        const double M = ExitMachNumber(areaRatio, kappa);
        mach.push_back({areaRatio, kappa, M});
        return M;
    }

    struct MachFound {
        double areaRatio;
        double kappa;
        double M;
    };
    PressurePowers powers;
    std::vector<MachFound> mach;
};

// Per-pass constants of the nozzle formulas (k is the two-phase ratio k2ph).
struct Nozzle {
    double k = 0.0;
    double Pa = 0.0;  // ambient pressure, Pa
    double exitDivisor = 0.0;
    double momentumFactor = 0.0;  // 2k^2/(k-1) (2/(k+1))^((k+1)/(k-1))
    double optimumFactor = 0.0;   // ((k+1)/2)^(1/(k-1))
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
    n.optimumFactor = std::pow((k + 1) / 2, 1 / (k - 1));
    n.unoz = d.unoz;
    n.Ae = q.Ae;
    return n;
}

// The area ratio that expands the flow of point i exactly to ambient pressure; not finite
// when it cannot be evaluated.
double OptimumExpansionRatio(const Nozzle& n, int i, double P, PressurePowers& powers) {
    const double k = n.k;
    const double ratio = n.Pa / P;
    return 1 / (n.optimumFactor * std::pow(ratio, 1 / k) *
                std::sqrt((k + 1) / (k - 1) * (1 - powers.at(i, ratio))));
}

double ThrustCoefficient(const Nozzle& n, int i, const TimePoint& point, PressurePowers& powers) {
    const double P = point.pressurePa;
    const double Pe = point.exitPressure;
    const double momentum = n.unoz * std::sqrt(n.momentumFactor * (1 - powers.at(i, Pe / P)));
    return momentum + (Pe - n.Pa) / P * n.Ae / point.throatArea;
}

// The optimum ratio of a point 1..881; a point at or below ambient pressure (or one whose
// optimum ratio cannot be evaluated) is taken at ambient pressure. Neither depends on the exit
// Mach number, so the second pass finds them as the first left them.
void OptimumPoint(const Nozzle& n, int i, TimePoint& point, PressurePowers& powers) {
    if (n.Pa >= point.pressurePa) {
        point.pressurePa = n.Pa;
        point.optimumRatio = 1;
    } else {
        point.optimumRatio = OptimumExpansionRatio(n, i, point.pressurePa, powers);
        if (!std::isfinite(point.optimumRatio)) {
            point.pressurePa = n.Pa;
            point.optimumRatio = 1;
        }
    }
}

struct Sums {
    double ratioSum = 1.0;  // starts at 1, as the average has always done
    int ratioCount = 0;
};

// Thrust and impulse at every point; the impulse and the optimum ratios are summed over the
// points within the thrust time.
void ProcessPoints(const Nozzle& n, bool firstPass, TimeSeries& series, Quantities& q,
                   ChartSeries& curve, Sums& sums, PressurePowers& powers) {
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
            if (firstPass) {
                OptimumPoint(n, i, point, powers);
            }
            point.Cf = ThrustCoefficient(n, i, point, powers);
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

// One pass over the time series with the exit Mach number `exitMach`: the points get their
// nozzle figures and thrust, result.figures the pass's figures. The class letter is written
// only for a positive impulse, so a pass without one keeps the letter it found.
bool ThrustPass(CalculationResult& r, double exitMach, bool firstPass, ThrustWork& work,
                ChartSeries& curve) {
    const MotorDesign& d = r.design;
    Quantities& q = r.figures;
    q.Ae = d.AeAt * q.Ato;
    q.De = std::sqrt(4 * q.Ae / kPi);
    q.wf = d.grainKind == kEndBurnerOnly ? 0 : 2 * q.StepRateMean * q.BurnTime / d.Do;
    TimeSeries& out = r.timeSeries;
    TimePoint& last = out[kLastTimePoint];
    last.pressurePa = 0;
    last.time = out[kLastTimePoint - 1].time + q.TailStep;
    q.It = 0;
    Sums sums;
    curve.clear();
    curve.reserve(kLastTimePoint);
    ProcessPoints(MakeNozzle(d, q, exitMach), firstPass, out, q, curve, sums, work.powers);
    if (q.ThrustTime > 0) {
        q.Favg = q.It / q.ThrustTime;
    }
    BurningMaxima(out, q);
    if (sums.ratioCount == 0) {
        return Stop(r, Stage::kThrust, DiagnosticCode::kThrustTimeTooShort);
    }
    q.AeAtOptMid = sums.ratioSum / sums.ratioCount;
    q.Meo = work.exitMach(d.AeAt, d.propellant.k);
    q.Mef = work.exitMach(out[kLastBurningPoint].expansionRatio, d.propellant.k);
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

// Both passes work on the time series in place: the second starts from what the first left.
bool ComputeThrust(CalculationResult& r) {
    ThrustWork work(r.design.propellant.k2ph);
    ChartSeries curve;
    if (!ThrustPass(r, kPlaceholderExitMach, true, work, curve) ||
        !ThrustPass(r, r.figures.Meo, false, work, curve)) {
        return false;
    }
    r.thrustCurve = std::move(curve);
    return FillResultRows(r);
}

}  // namespace tarvo
