#include "ballistics/thrust.h"

#include <cmath>
#include <numbers>

#include "ballistics/exit_mach.h"
#include "ballistics/motor_class.h"

namespace tarvo {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kFirstPassMach = 100;

// Per-pass constants of the nozzle formulas (k is the two-phase ratio k2ph).
struct Nozzle {
    double k = 0.0;
    double Pa = 0.0;  // ambient pressure, Pa
    double exitDivisor = 0.0;
    double momentumFactor = 0.0;  // 2k^2/(k-1) (2/(k+1))^((k+1)/(k-1))
};

Nozzle MakeNozzle(const MotorModel& m) {
    Nozzle n;
    n.k = m.k2ph;
    n.Pa = m.Patm * 1000000;
    const double k = n.k;
    n.exitDivisor = std::pow(1 + (k - 1) / 2 * m.PassMach * m.PassMach, k / (k - 1));
    n.momentumFactor = 2 * k * k / (k - 1) * std::pow(2 / (k + 1), (k + 1) / (k - 1));
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

double ThrustCoefficient(const MotorModel& m, const Nozzle& n, double P, double Pe,
                         double throatArea) {
    const double k = n.k;
    const double momentum =
        m.unoz * std::sqrt(n.momentumFactor * (1 - std::pow(Pe / P, (k - 1) / k)));
    return momentum + (Pe - n.Pa) / P * m.Ae / throatArea;
}

// Exit pressure, optimum ratio and Cf of a point 1..881; a point at or below ambient pressure
// (or one whose optimum ratio cannot be evaluated) is taken at ambient pressure.
void NozzlePoint(const MotorModel& m, const Nozzle& n, TimePoint& point) {
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
    point.Cf = ThrustCoefficient(m, n, point.pressurePa, point.exitPressure, point.throatArea);
}

struct Sums {
    double ratioSum = 1.0;  // starts at 1, as the average has always done
    int ratioCount = 0;
};

void ProcessPoints(MotorModel& m, const Nozzle& n, ThrustResult& result, Sums& sums) {
    TimeSeries& series = m.timeSeries;
    for (int i = 0; i <= kLastTimePoint; ++i) {
        TimePoint& point = series[i];
        if (i <= kLastBurningPoint) {
            point.expansionRatio = m.Ae / point.throatArea;
        }
        point.exitPressure = point.pressurePa / n.exitDivisor;
        if (n.Pa > point.exitPressure) {
            point.exitPressure = n.Pa;
        }
        if (i == 0) {
            point.optimumRatio = 1;
            point.Cf = m.unoz;
            point.thrust = 0;
            point.impulse = 0;
            continue;
        }
        if (i < kLastTimePoint) {
            NozzlePoint(m, n, point);
        } else {
            point.optimumRatio = 1;
            point.Cf = series[i - 1].Cf;
        }
        const TimePoint& previous = series[i - 1];
        point.thrust = point.Cf * point.throatAreaSI * point.pressurePa;
        point.impulse = (previous.thrust + point.thrust) / 2 * (point.time - previous.time);
        if (point.time <= m.ThrustTime) {
            m.It += point.impulse;
            sums.ratioSum += point.optimumRatio;
            ++sums.ratioCount;
        }
        result.thrust.push_back({point.time, point.thrust});
    }
}

// Largest optimum ratio and Cf while the propellant burns, point 0 included.
void BurningMaxima(MotorModel& m) {
    m.AeAtOpt = 0;
    m.CfMax = 0;
    for (const TimePoint& point : m.timeSeries) {
        if (point.time <= m.BurnTime) {
            m.AeAtOpt = point.optimumRatio > m.AeAtOpt ? point.optimumRatio : m.AeAtOpt;
            m.CfMax = point.Cf > m.CfMax ? point.Cf : m.CfMax;
        }
    }
}

void LargestThrust(MotorModel& m) {
    m.Fmax = 0;
    for (const TimePoint& point : m.timeSeries) {
        m.Fmax = point.thrust > m.Fmax ? point.thrust : m.Fmax;
    }
}

void FillSummary(const MotorModel& m, ThrustResult& result) {
    result.summaryFilled = true;
    for (const int index : ResultRows) {
        const TimePoint& point = m.timeSeries[index];
        result.summary.push_back({point.time, point.thrust});
        result.rows.push_back({index, point.time, point.thrust});
    }
    result.summaryThrustAxisMax = m.Fmax + 0.1 * m.Fmax;
    const double largestTime = LargestX(result.summary);
    result.summaryTimeAxisMax = largestTime + 0.1 * largestTime;
}

std::string NonFiniteThrust(const MotorModel& m, const ThrustResult& r) {
    const std::string_view tab3 = FirstNonFinite({{"Ae", m.Ae},
                                                  {"De", m.De},
                                                  {"wf", m.wf},
                                                  {"It", m.It},
                                                  {"Favg", m.Favg},
                                                  {"Fmax", m.Fmax},
                                                  {"Ae/At opt", m.AeAtOpt},
                                                  {"Ae/At opt mid", m.AeAtOptMid},
                                                  {"Cf max", m.CfMax},
                                                  {"Meo", m.Meo},
                                                  {"Mef", m.Mef},
                                                  {"Isp", r.Isp},
                                                  {"ось тяги", r.thrustAxisMax},
                                                  {"ось времени", r.timeAxisMax}});
    if (!tab3.empty()) {
        return ComputationFaultMessage(tab3, 3);
    }
    if (!AllFinite(r.thrust)) {
        return ComputationFaultMessage("кривая тяги", 3);
    }
    if (!AllFinite(r.summary)) {
        return ComputationFaultMessage("таблица тяги", 4);
    }
    return {};
}

ThrustResult Fail(MotorModel& m, ThrustResult result, std::string message) {
    m.ThrustPassFlag = false;
    result.message = std::move(message);
    return result;
}

}  // namespace

ThrustResult ComputeThrust(MotorModel& m) {
    m.flags.Thrust = false;
    ThrustResult result;
    m.Ae = m.AeAt * m.Ato;
    m.De = std::sqrt(4 * m.Ae / kPi);
    m.wf = m.grainKind == kEndBurnerOnly ? 0 : 2 * m.StepRateMean * m.BurnTime / m.Do;
    const bool firstPass = !m.ThrustPassFlag;
    m.PassMach = firstPass ? kFirstPassMach : m.Meo;
    m.ThrustPassFlag = firstPass;
    m.PointCount = kLastTimePoint;
    if (static_cast<int>(m.timeSeries.size()) < kTimeSeriesRows) {
        return Fail(m, std::move(result), std::string(kOutOfMemoryMessage));
    }
    TimePoint& last = m.timeSeries[kLastTimePoint];
    last.pressurePa = 0;
    last.time = m.timeSeries[kLastTimePoint - 1].time + m.TailStep;
    m.It = 0;
    Sums sums;
    result.thrust.reserve(kLastTimePoint);
    const Nozzle nozzle = MakeNozzle(m);
    ProcessPoints(m, nozzle, result, sums);
    if (m.ThrustTime > 0) {
        m.Favg = m.It / m.ThrustTime;
    }
    BurningMaxima(m);
    if (sums.ratioCount == 0) {
        return Fail(m, std::move(result),
                    "Время тяги короче первого шага расчёта: нечего усреднять [вкладка 3]");
    }
    m.AeAtOptMid = sums.ratioSum / sums.ratioCount;
    m.Meo = ExitMachNumber(m.AeAt, m.k);
    m.Mef = ExitMachNumber(m.timeSeries[kLastBurningPoint].expansionRatio, m.k);
    LargestThrust(m);
    result.thrustAxisMax = m.Fmax + 0.1 * m.Fmax;
    const double largestTime = LargestX(result.thrust);
    result.timeAxisMax = largestTime + 0.1 * largestTime;
    if (m.It > 0) {
        m.MotorClass = MotorClassFor(m.It);
    }
    if (!firstPass) {
        FillSummary(m, result);
    }
    result.Isp = SpecificImpulse(m);
    if (std::string fault = NonFiniteThrust(m, result); !fault.empty()) {
        return Fail(m, std::move(result), std::move(fault));
    }
    m.flags.Thrust = true;
    return result;
}

}  // namespace tarvo
