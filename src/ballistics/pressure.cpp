#include "ballistics/pressure.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "ballistics/burn_rate.h"
#include "model/propellants.h"

namespace tarvo {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kQuarterPi = std::numbers::pi / 4;
constexpr int kPhasePoints = kSimulationSteps + 1;

// One point of a simulation phase, in the order its fields are computed.
struct SimRow {
    double d = 0.0;    // core diameter, mm
    double D = 0.0;    // outer diameter, mm
    double L = 0.0;    // length of all cored grains, mm
    double Ltr = 0.0;  // end-burning grain length left, mm
    double web = 0.0;  // mm
    double At = 0.0;   // throat area, mm^2
    double AtSI = 0.0;
    double Vf = 0.0;  // free volume, m^3
    double m = 0.0;   // propellant mass left, kg
    double r = 0.0;   // burn rate, mm/s
    double t = 0.0;   // s
    double Mg = 0.0;  // stored gas, kg
    double P = 0.0;   // absolute pressure, MPa
};

using Phase = std::vector<SimRow>;

struct TailPoint {
    double P = 0.0;  // MPa
    double t = 0.0;  // s, absolute
};

using TailList = std::vector<TailPoint>;

// Everything one run of the stage keeps until the time series is built.
struct Run {
    Phase main;
    Phase second;  // empty when the end-burning grain has no phase of its own
    TailList firstTail;
    TailList secondTail;
    double phase2EndPressure = 0.0;
    double chokedPower = 0.0;
    ChartSeries chart;
};

// (2/(k+1))^((k+1)/(2(k-1))) of the choked nozzle flow; the same at every point.
double ChokedFlowPower(double k) {
    return std::pow(2 / (k + 1), (k + 1) / (2 * (k - 1)));
}

double RoundHalfEven(double value) {
    return std::nearbyint(value);
}

// Geometry of main-phase point i: the grains recede by SimStep per point.
void MainGeometry(const MotorModel& m, const Phase& phase, int i, SimRow& row) {
    const bool endBurnerOnly = m.grainKind == kEndBurnerOnly;
    const SimRow* prev = i > 0 ? &phase[i - 1] : nullptr;
    const auto endFaces = static_cast<double>(2 * static_cast<std::int64_t>(m.Es) * m.N);
    row.d = prev ? prev->d + 2 * m.Cs * m.SimStep : m.do_;
    row.D = prev ? prev->D - 2 * m.Os * m.SimStep : m.Do;
    row.L = endBurnerOnly ? 0 : (prev ? prev->L - endFaces * m.SimStep : m.Lg);
    if (m.grainKind == kCoredOnly) {
        row.Ltr = 0;
    } else {
        row.Ltr = prev ? prev->Ltr - m.SimStep : m.Lto;
        row.Ltr = row.Ltr <= 0 ? 0 : row.Ltr;
    }
    row.web = endBurnerOnly ? 0 : (prev ? (row.D - row.d) / 2 : m.w);
    if (endBurnerOnly) {
        row.At = kQuarterPi * (m.Dt * m.Dt);
    } else {
        const double throatDiameter = m.Dt + m.e * (m.w - row.web) / m.w;
        row.At = kQuarterPi * (throatDiameter * throatDiameter);
    }
}

double MainPortArea(const MotorModel& m, const SimRow& row) {
    if (m.grainKind == kEndBurnerOnly) {
        return RoundHalfEven(kQuarterPi * (m.Dto * m.Dto));
    }
    return RoundHalfEven(kQuarterPi * (m.Dc * m.Dc) - kQuarterPi * (row.D * row.D - row.d * row.d));
}

double MainPropellantVolume(const MotorModel& m, const SimRow& row) {
    const double Vp =
        kQuarterPi * (row.D * row.D - row.d * row.d) * row.L + kPi * (m.Dto * m.Dto) * row.Ltr / 4;
    return Vp <= 0 ? 0 : Vp;
}

// Phase 2: only the end-burning grain is left; the throat keeps its initial size.
void SecondGeometry(const MotorModel& m, const Phase& phase, int i, double tracerLeft,
                    SimRow& row) {
    row.Ltr = i > 0 ? phase[i - 1].Ltr - m.SimStep : tracerLeft;
    row.At = kQuarterPi * (m.Dt * m.Dt);
}

double SecondPortArea(const MotorModel& m) {
    return RoundHalfEven(kQuarterPi * (m.Dto * m.Dto));
}

double SecondPropellantVolume(const MotorModel& m, const SimRow& row) {
    const double Vp = kQuarterPi * (m.Dto * m.Dto) * row.Ltr;
    return Vp <= 0 ? 0 : Vp;
}

enum class PointOutcome { kOk, kOutOfTable };

// The mass balance at point i once its geometry, port area and propellant volume are known.
PointOutcome BalanceGas(const MotorModel& m, const BurnRateTable& table, Phase& phase, int i,
                        double Ap, double Vp, double chokedPower) {
    SimRow& row = phase[i];
    const SimRow* prev = i > 0 ? &phase[i - 1] : nullptr;
    row.AtSI = row.At / 1e6;
    double excess = m.GStar - Ap / row.At;
    excess = excess < 0 ? 0 : excess;
    row.Vf = m.Vc / 1e9 - Vp / 1e9;
    row.m = m.p * Vp / 1e6;
    const double Pu = prev ? prev->P : m.Patm;
    const double a = GetVar(kCoefficientA, Pu, table);
    const double n = GetVar(2, Pu, table);
    if (a == 0 || n == 0) {
        return PointOutcome::kOutOfTable;
    }
    row.r = BurnRate(Pu, a, n, excess, m.kv);
    if (!prev) {
        row.t = 0;
        row.Mg = 0;
    } else {
        const double dt = m.SimStep / row.r;
        row.t = prev->t + dt;
        const double generated = (prev->m - row.m) / (row.t - prev->t);
        double nozzle = 0;
        if (i >= 2) {
            nozzle = (Pu - m.Patm) * 1e6 * row.AtSI / std::sqrt(m.R * m.ToAct) * std::sqrt(m.k) *
                     chokedPower;
        }
        if (generated < nozzle && !(prev->P > 0)) {
            nozzle = 0;
        }
        row.Mg = prev->Mg + (row.t - prev->t) * (generated - nozzle);
    }
    const double density = row.Mg / row.Vf;
    row.P = (density * m.R * m.ToAct + m.Patm * 1e6) / 1e6;
    return PointOutcome::kOk;
}

double ChooseSimStep(MotorModel& m) {
    if (m.grainKind == kEndBurnerOnly) {
        return m.Lto / kSimulationSteps;
    }
    m.RadialSurfaces = m.Cs + m.Os;
    const double radial = m.RadialSurfaces == 1 ? (m.Do - m.do_) / 2 : (m.Do - m.do_) / 4;
    const double axial = m.Es == 1 ? m.Lo / 2 : m.Lo;
    return std::min(radial, axial) / kSimulationSteps;
}

bool RunMainPhase(MotorModel& m, const BurnRateTable& table, Run& run) {
    run.main = CreateWorkingTable<SimRow>(kPhasePoints);
    double rateSum = 0;
    for (int i = 0; i < kPhasePoints; ++i) {
        SimRow& row = run.main[i];
        MainGeometry(m, run.main, i, row);
        if (BalanceGas(m, table, run.main, i, MainPortArea(m, row), MainPropellantVolume(m, row),
                       run.chokedPower) != PointOutcome::kOk) {
            return false;
        }
        rateSum += row.r;
        run.chart.push_back({row.t, row.P});
    }
    const SimRow& last = run.main[kLastBurningPoint];
    m.StepRateMean = rateSum / kSimulationSteps;
    m.BurnTime = last.t;
    m.PEnd = last.P;
    m.AtEndSI = last.AtSI;
    m.AtEnd = last.At;
    return true;
}

bool RunSecondPhase(MotorModel& m, const BurnRateTable& table, Run& run) {
    const double tracerLeft = run.main[kLastBurningPoint].Ltr;
    m.SimStep = tracerLeft / kSimulationSteps;
    run.second = CreateWorkingTable<SimRow>(kPhasePoints);
    double pressureSum = 0;
    for (int i = 0; i < kPhasePoints; ++i) {
        SimRow& row = run.second[i];
        SecondGeometry(m, run.second, i, tracerLeft, row);
        if (BalanceGas(m, table, run.second, i, SecondPortArea(m), SecondPropellantVolume(m, row),
                       run.chokedPower) != PointOutcome::kOk) {
            return false;
        }
        pressureSum += row.P;
        m.TracerPmax = row.P > m.TracerPmax ? row.P : m.TracerPmax;
        if (i >= kFirstDrawnPhase2Point) {
            run.chart.push_back({m.BurnTime + row.t, row.P});
        }
    }
    const SimRow& last = run.second[kLastBurningPoint];
    m.TracerPressure = pressureSum / kPhasePoints;
    m.TracerEnd = last.t + m.BurnTime;
    run.phase2EndPressure = last.P;
    m.TracerAtEndSI = last.AtSI;
    m.TracerAtEnd = last.At;
    return true;
}

// Exponential decay of the chamber through the nozzle, 47 points from (t0, Pe).
double DecayedPressure(const MotorModel& m, double Pe, double AtSI, double s) {
    return Pe * std::exp(-m.R * m.ToAct * AtSI * s * 1e9 / (m.Vc * m.cStar));
}

// The tail-off after the main phase; with an end-burning grain phase the decay stops at the
// pressure that grain keeps up, and only points above it are drawn.
void RunFirstTailOff(MotorModel& m, Run& run, double floor, bool drawAboveFloorOnly) {
    m.TailStep = TailOffStep(m, LargestY(run.chart), m.PEnd, m.AtEndSI, floor);
    run.firstTail.reserve(kTailPoints);
    for (int j = 1; j <= kTailPoints; ++j) {
        m.TailTime = m.TailTime + m.TailStep;
        m.TailPressure = DecayedPressure(m, m.PEnd, m.AtEndSI, m.TailTime);
        const TailPoint point{m.TailPressure, m.BurnTime + m.TailTime};
        run.firstTail.push_back(point);
        if (!drawAboveFloorOnly || point.P > floor) {
            run.chart.push_back({point.t, point.P});
        }
    }
    m.ThrustTime = m.BurnTime + m.TailTime;
}

void RunSecondTailOff(MotorModel& m, Run& run) {
    const double Pe = run.phase2EndPressure;
    const double step = TailOffStep(m, m.TracerPmax, Pe, m.TracerAtEndSI, m.Patm);
    double s = 0;
    run.secondTail.reserve(kTailPoints);
    for (int j = 1; j <= kTailPoints; ++j) {
        s = s + step;
        const TailPoint point{DecayedPressure(m, Pe, m.TracerAtEndSI, s), m.TracerEnd + s};
        run.secondTail.push_back(point);
        run.chart.push_back({point.t, point.P});
    }
    m.TracerTailEnd = m.TracerEnd + s;
}

void RunTailOffs(MotorModel& m, Run& run) {
    if (run.phase2EndPressure == 0) {
        run.phase2EndPressure = m.Patm;
    }
    const bool secondPhaseRan = m.grainKind == kCoredAndEndBurner && m.BurnTime <= m.TracerEnd;
    if (!secondPhaseRan) {
        RunFirstTailOff(m, run, m.Patm, false);
        return;
    }
    RunFirstTailOff(m, run, run.phase2EndPressure, true);
    if (run.phase2EndPressure > m.Patm) {
        RunSecondTailOff(m, run);
    }
}

void ComputeTracerResults(MotorModel& m, const Run& run) {
    const double tracerLeft = run.main[kLastBurningPoint].Ltr;
    const bool hasTail = m.TracerTailEnd != 0;
    m.TracerRate = hasTail && m.BurnTime != 0 ? tracerLeft / (m.TracerTailEnd - m.BurnTime) : 0;
    m.TracerTailTime = hasTail ? m.TracerTailEnd - m.BurnTime : 0;
}

TimePoint MakeTimePoint(double P, double AtSI, double At, double t) {
    TimePoint point;
    point.pressurePa = P * 1e6;
    point.throatAreaSI = AtSI;
    point.throatArea = At;
    point.time = t;
    return point;
}

TimePoint FromRow(const SimRow& row, double timeOffset) {
    return MakeTimePoint(row.P, row.AtSI, row.At, row.t + timeOffset);
}

void CopyTail(const TailList& tail, double AtSI, double At, TimeSeries& series, int firstRow) {
    for (int j = 0; j < static_cast<int>(tail.size()); ++j) {
        series[firstRow + j] = MakeTimePoint(tail[j].P, AtSI, At, tail[j].t);
    }
}

constexpr int kFirstTailRow = kLastBurningPoint + 1;  // 835
constexpr int kHalfPhase = kSimulationSteps / 2;      // 417

// Rows 0..881: the main phase, the tail-offs and, when it ran, every second point of phase 2.
TimeSeries BuildTimeSeries(const MotorModel& m, const Run& run) {
    TimeSeries series = CreateWorkingTable<TimePoint>(kTimeSeriesRows);
    if (run.second.empty()) {
        for (int i = 0; i < kPhasePoints; ++i) {
            series[i] = FromRow(run.main[i], 0);
        }
        CopyTail(run.firstTail, m.AtEndSI, m.AtEnd, series, kFirstTailRow);
        return series;
    }
    for (int k = 0; k <= kHalfPhase; ++k) {
        series[kHalfPhase + k] = FromRow(run.second[2 * k], m.BurnTime);
    }
    for (int k = 0; k <= kHalfPhase; ++k) {
        series[k] = FromRow(run.main[2 * k], 0);
    }
    if (!run.secondTail.empty()) {
        CopyTail(run.secondTail, m.TracerAtEndSI, m.TracerAtEnd, series, kFirstTailRow);
    } else {
        // No decay after the end-burning grain: hold its last point.
        const TimePoint last =
            MakeTimePoint(run.phase2EndPressure, m.TracerAtEndSI, m.TracerAtEnd, m.TracerEnd);
        std::fill(series.begin() + kFirstTailRow, series.begin() + kLastTimePoint, last);
    }
    CopyTail(run.firstTail, m.AtEndSI, m.AtEnd, series, kHalfPhase);
    return series;
}

std::string NonFinitePressure(const MotorModel& m, const PressureResult& result) {
    const std::string_view name = FirstNonFinite({{"Pmax", m.Pmax},
                                                  {"время горения", m.BurnTime},
                                                  {"время тяги", m.ThrustTime},
                                                  {"средняя скорость горения", m.AvgBurnRate},
                                                  {"StepRateMean", m.StepRateMean},
                                                  {"давление горения трассера", m.TracerPressure},
                                                  {"скорость горения трассера", m.TracerRate},
                                                  {"время горения трассера", m.TracerTailTime},
                                                  {"шаг спада давления", m.TailStep},
                                                  {"ось времени", result.timeAxisMax},
                                                  {"ось давления", result.pressureAxisMax}});
    if (!name.empty()) {
        return ComputationFaultMessage(name, 2);
    }
    if (!AllFinite(result.pressure)) {
        return ComputationFaultMessage("кривая давления", 2);
    }
    return {};
}

bool AllFinite(const TimeSeries& series) {
    for (const TimePoint& point : series) {
        if (!std::isfinite(point.pressurePa) || !std::isfinite(point.throatAreaSI) ||
            !std::isfinite(point.throatArea) || !std::isfinite(point.time)) {
            return false;
        }
    }
    return true;
}

void ResetStageResults(MotorModel& m) {
    m.TracerEnd = 0;
    m.TracerPmax = 0;
    m.TracerTailEnd = 0;
    m.TracerAtEnd = 0;
    m.TracerAtEndSI = 0;
    m.TracerPressure = 0;
    m.TracerRate = 0;
    m.TracerTailTime = 0;
}

}  // namespace

std::string NonNumericTableMessage(int Ftype) {
    const std::string_view name = IsValidFtype(Ftype) ? kPropellantShortNames[Ftype - 1] : "";
    return "Не число в таблице скорости горения " + std::string(name) + " [вкладка 5]";
}

double TailOffStep(const MotorModel& m, double Pm, double Pe, double AtSI, double Pf) {
    const double tau = (m.Vc / 1e9) * m.cStar / (m.R * m.ToAct * AtSI);
    const double duration = tau * std::log(Pe / (Pf + 0.0002 * Pm));
    return duration / 46;
}

PressureResult SimulatePressure(MotorModel& m, const BurnRateTable& table) {
    m.flags.Pressure = false;
    ResetStageResults(m);
    PressureResult result;
    if (table.nonNumericCell) {
        result.message = NonNumericTableMessage(m.Ftype);
        return result;
    }
    m.SimStep = ChooseSimStep(m);
    m.PointCount = kPhasePoints;
    Run run;
    run.chokedPower = ChokedFlowPower(m.k);
    run.chart.reserve(2 * kPhasePoints + 2 * kTailPoints);
    if (!RunMainPhase(m, table, run)) {
        result.message = kOutOfTableMessage;
        return result;
    }
    if (m.grainKind != kCoredOnly && run.main[kLastBurningPoint].Ltr > m.SimStep) {
        if (!RunSecondPhase(m, table, run)) {
            result.message = kOutOfTableMessage;
            return result;
        }
    }
    m.AvgBurnRate = m.BurnTime > 0 ? m.WebTotal / m.BurnTime : 0;
    RunTailOffs(m, run);
    ComputeTracerResults(m, run);
    m.Pmax = LargestY(run.chart);
    const double largestTime = LargestX(run.chart);
    result.timeAxisMax = 0.1 * largestTime + largestTime;
    result.pressureAxisMax = 0.1 * m.Pmax + m.Pmax;
    result.pressure = std::move(run.chart);
    if (std::string fault = NonFinitePressure(m, result); !fault.empty()) {
        result.message = std::move(fault);
        return result;
    }
    // Phase-2 points and the first tail-off overlap in time; the chart draws in time order.
    std::stable_sort(result.pressure.begin(), result.pressure.end(),
                     [](const ChartPoint& a, const ChartPoint& b) { return a.x < b.x; });
    TimeSeries series = BuildTimeSeries(m, run);
    if (!AllFinite(series)) {
        result.message = ComputationFaultMessage("таблица времени", 2);
        return result;
    }
    m.timeSeries = std::move(series);
    m.PointCount = kLastTimePoint;
    m.flags.Pressure = true;
    return result;
}

}  // namespace tarvo
