#include "ballistics/pressure.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

#include "ballistics/burn_rate.h"
#include "ballistics/stage.h"

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
    double Vf = 0.0;    // free volume, m^3
    double m = 0.0;     // propellant mass left, kg
    double r = 0.0;     // burn rate, mm/s
    double t = 0.0;     // s
    double Mg = 0.0;    // stored gas, kg
    double P = 0.0;     // absolute pressure, MPa
    double Ab = 0.0;    // burning area, mm^2
    double flux = 0.0;  // mass flux through the port, kg/(m^2 s)
};

using Phase = std::vector<SimRow>;

struct TailPoint {
    double P = 0.0;  // MPa
    double t = 0.0;  // s, absolute
};

using TailList = std::vector<TailPoint>;

// The tables of the two phases, kept by each thread from one run to the next: a sweep or a fit
// calculates thousands of designs, and fresh tables of this size cost more than the
// simulation that fills them. Every row is set afresh before it is used.
struct PhaseTables {
    Phase main = Phase(kPhasePoints);
    Phase second = Phase(kPhasePoints);
};

PhaseTables& ThreadPhaseTables() {
    thread_local PhaseTables tables;
    return tables;
}

// Everything one run of the stage keeps until the time series is built.
struct Run {
    Run(const MotorDesign& design, Quantities& figures)
        : d(design),
          q(figures),
          main(ThreadPhaseTables().main),
          second(ThreadPhaseTables().second) {}

    const MotorDesign& d;
    Quantities& q;
    Phase& main;
    Phase& second;
    bool secondPhase = false;  // whether the end-burning grain had a phase of its own
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
void MainGeometry(const Run& run, int i, SimRow& row) {
    const MotorDesign& d = run.d;
    const Quantities& q = run.q;
    const bool endBurnerOnly = d.grainKind == kEndBurnerOnly;
    const SimRow* prev = i > 0 ? &run.main[i - 1] : nullptr;
    const auto endFaces = static_cast<double>(2 * static_cast<std::int64_t>(d.Es) * d.N);
    row.d = prev ? prev->d + 2 * d.Cs * q.SimStep : d.do_;
    row.D = prev ? prev->D - 2 * d.Os * q.SimStep : d.Do;
    row.L = endBurnerOnly ? 0 : (prev ? prev->L - endFaces * q.SimStep : q.Lg);
    if (d.grainKind == kCoredOnly) {
        row.Ltr = 0;
    } else {
        row.Ltr = prev ? prev->Ltr - q.SimStep : d.Lto;
        row.Ltr = row.Ltr <= 0 ? 0 : row.Ltr;
    }
    row.web = endBurnerOnly ? 0 : (prev ? (row.D - row.d) / 2 : q.w);
    const double tracerArea = row.Ltr > 0 ? q.Abtr : 0;
    row.Ab = endBurnerOnly
                 ? tracerArea
                 : (row.D * row.D - row.d * row.d) * endFaces * kPi / 4 +
                       d.Cs * kPi * row.d * row.L + d.Os * kPi * row.D * row.L + tracerArea;
    if (endBurnerOnly) {
        row.At = kQuarterPi * (q.Dt * q.Dt);
    } else {
        const double throatDiameter = q.Dt + d.e * (q.w - row.web) / q.w;
        row.At = kQuarterPi * (throatDiameter * throatDiameter);
    }
}

double MainPortArea(const MotorDesign& d, const SimRow& row) {
    if (d.grainKind == kEndBurnerOnly) {
        return RoundHalfEven(kQuarterPi * (d.Dto * d.Dto));
    }
    return RoundHalfEven(kQuarterPi * (d.Dc * d.Dc) - kQuarterPi * (row.D * row.D - row.d * row.d));
}

double MainPropellantVolume(const MotorDesign& d, const SimRow& row) {
    const double Vp =
        kQuarterPi * (row.D * row.D - row.d * row.d) * row.L + kPi * (d.Dto * d.Dto) * row.Ltr / 4;
    return Vp <= 0 ? 0 : Vp;
}

// Phase 2: only the end-burning grain is left; the throat keeps its initial size.
void SecondGeometry(const Run& run, int i, double tracerLeft, SimRow& row) {
    row.Ltr = i > 0 ? run.second[i - 1].Ltr - run.q.SimStep : tracerLeft;
    row.At = kQuarterPi * (run.q.Dt * run.q.Dt);
    row.Ab = row.Ltr > 0 ? run.q.Abtr : 0;
}

double SecondPortArea(const MotorDesign& d) {
    return RoundHalfEven(kQuarterPi * (d.Dto * d.Dto));
}

double SecondPropellantVolume(const MotorDesign& d, const SimRow& row) {
    const double Vp = kQuarterPi * (d.Dto * d.Dto) * row.Ltr;
    return Vp <= 0 ? 0 : Vp;
}

// Where the burn-rate table ran out: the pressure no range holds and the time it was reached.
struct OutOfTable {
    double P = 0.0;
    double t = 0.0;
};

// The mass balance at point i once its geometry, port area and propellant volume are known.
// Gives the pressure no burn-rate range holds, if any.
std::optional<OutOfTable> BalanceGas(const Run& run, Phase& phase, int i, double Ap, double Vp) {
    const MotorDesign& d = run.d;
    const Quantities& q = run.q;
    SimRow& row = phase[i];
    const SimRow* prev = i > 0 ? &phase[i - 1] : nullptr;
    row.AtSI = row.At / 1e6;
    double excess = d.GStar - Ap / row.At;
    excess = excess < 0 ? 0 : excess;
    row.Vf = q.Vc / 1e9 - Vp / 1e9;
    row.m = q.p * Vp / 1e6;
    const double Pu = prev ? prev->P : d.Patm;
    const BurnRateRange* range = FindBurnRateRange(Pu, d.burnRate);
    if (range == nullptr || range->a == 0) {
        return OutOfTable{Pu, prev ? prev->t : 0.0};
    }
    row.r = BurnRate(Pu, range->a, range->n, excess, d.kv);
    if (!prev) {
        row.t = 0;
        row.Mg = 0;
    } else {
        const double dt = q.SimStep / row.r;
        row.t = prev->t + dt;
        const double generated = (prev->m - row.m) / (row.t - prev->t);
        row.flux = generated / (Ap / 1e6);
        double nozzle = 0;
        if (i >= 2) {
            nozzle = (Pu - d.Patm) * 1e6 * row.AtSI / std::sqrt(q.R * q.ToAct) *
                     std::sqrt(d.propellant.k) * run.chokedPower;
        }
        if (generated < nozzle && !(prev->P > 0)) {
            nozzle = 0;
        }
        row.Mg = prev->Mg + (row.t - prev->t) * (generated - nozzle);
    }
    const double density = row.Mg / row.Vf;
    row.P = (density * q.R * q.ToAct + d.Patm * 1e6) / 1e6;
    return std::nullopt;
}

double ChooseSimStep(const MotorDesign& d) {
    if (d.grainKind == kEndBurnerOnly) {
        return d.Lto / kSimulationSteps;
    }
    const int radialSurfaces = d.Cs + d.Os;
    const double radial = radialSurfaces == 1 ? (d.Do - d.do_) / 2 : (d.Do - d.do_) / 4;
    const double axial = d.Es == 1 ? d.Lo / 2 : d.Lo;
    return std::min(radial, axial) / kSimulationSteps;
}

std::optional<OutOfTable> RunMainPhase(Run& run) {
    Quantities& q = run.q;
    double rateSum = 0;
    const bool cored = HasCoredGrains(run.d.grainKind);
    for (int i = 0; i < kPhasePoints; ++i) {
        SimRow& row = run.main[i];
        row = SimRow{};
        MainGeometry(run, i, row);
        const auto outOfTable = BalanceGas(run, run.main, i, MainPortArea(run.d, row),
                                           MainPropellantVolume(run.d, row));
        if (outOfTable) {
            return outOfTable;
        }
        if (cored) {
            q.PeakMassFlux = row.flux > q.PeakMassFlux ? row.flux : q.PeakMassFlux;
        }
        rateSum += row.r;
        run.chart.push_back({row.t, row.P});
    }
    const SimRow& last = run.main[kLastBurningPoint];
    q.StepRateMean = rateSum / kSimulationSteps;
    q.BurnTime = last.t;
    q.PEnd = last.P;
    q.AtEndSI = last.AtSI;
    q.AtEnd = last.At;
    return std::nullopt;
}

std::optional<OutOfTable> RunSecondPhase(Run& run) {
    Quantities& q = run.q;
    const double tracerLeft = run.main[kLastBurningPoint].Ltr;
    q.SimStep = tracerLeft / kSimulationSteps;
    run.secondPhase = true;
    double pressureSum = 0;
    for (int i = 0; i < kPhasePoints; ++i) {
        SimRow& row = run.second[i];
        row = SimRow{};
        SecondGeometry(run, i, tracerLeft, row);
        auto outOfTable = BalanceGas(run, run.second, i, SecondPortArea(run.d),
                                     SecondPropellantVolume(run.d, row));
        if (outOfTable) {
            outOfTable->t += q.BurnTime;
            return outOfTable;
        }
        pressureSum += row.P;
        q.TracerPmax = row.P > q.TracerPmax ? row.P : q.TracerPmax;
        if (i >= kFirstDrawnPhase2Point) {
            run.chart.push_back({q.BurnTime + row.t, row.P});
        }
    }
    const SimRow& last = run.second[kLastBurningPoint];
    q.TracerPressure = pressureSum / kPhasePoints;
    q.TracerEnd = last.t + q.BurnTime;
    run.phase2EndPressure = last.P;
    q.TracerAtEndSI = last.AtSI;
    q.TracerAtEnd = last.At;
    return std::nullopt;
}

// Exponential decay of the chamber through the nozzle, 47 points from (t0, Pe).
double DecayedPressure(const Quantities& q, double Pe, double AtSI, double s) {
    return Pe * std::exp(-q.R * q.ToAct * AtSI * s * 1e9 / (q.Vc * q.cStar));
}

// Time step of a tail-off: the decay from Pe towards Pf + 0.0002 Pm spread over 46 steps.
double TailOffStep(const Quantities& q, double Pm, double Pe, double AtSI, double Pf) {
    const double tau = (q.Vc / 1e9) * q.cStar / (q.R * q.ToAct * AtSI);
    const double duration = tau * std::log(Pe / (Pf + 0.0002 * Pm));
    return duration / 46;
}

// The tail-off after the main phase; with an end-burning grain phase the decay stops at the
// pressure that grain keeps up, and only points above it are drawn.
void RunFirstTailOff(Run& run, double floor, bool drawAboveFloorOnly) {
    Quantities& q = run.q;
    q.TailStep = TailOffStep(q, LargestY(run.chart), q.PEnd, q.AtEndSI, floor);
    run.firstTail.reserve(kTailPoints);
    for (int j = 1; j <= kTailPoints; ++j) {
        q.TailTime = q.TailTime + q.TailStep;
        const TailPoint point{DecayedPressure(q, q.PEnd, q.AtEndSI, q.TailTime),
                              q.BurnTime + q.TailTime};
        run.firstTail.push_back(point);
        if (!drawAboveFloorOnly || point.P > floor) {
            run.chart.push_back({point.t, point.P});
        }
    }
    q.ThrustTime = q.BurnTime + q.TailTime;
}

void RunSecondTailOff(Run& run) {
    Quantities& q = run.q;
    const double Pe = run.phase2EndPressure;
    const double step = TailOffStep(q, q.TracerPmax, Pe, q.TracerAtEndSI, run.d.Patm);
    double s = 0;
    run.secondTail.reserve(kTailPoints);
    for (int j = 1; j <= kTailPoints; ++j) {
        s = s + step;
        const TailPoint point{DecayedPressure(q, Pe, q.TracerAtEndSI, s), q.TracerEnd + s};
        run.secondTail.push_back(point);
        run.chart.push_back({point.t, point.P});
    }
    q.TracerTailEnd = q.TracerEnd + s;
}

void RunTailOffs(Run& run) {
    const MotorDesign& d = run.d;
    if (run.phase2EndPressure == 0) {
        run.phase2EndPressure = d.Patm;
    }
    const bool secondPhaseRan =
        d.grainKind == kCoredAndEndBurner && run.q.BurnTime <= run.q.TracerEnd;
    if (!secondPhaseRan) {
        RunFirstTailOff(run, d.Patm, false);
        return;
    }
    RunFirstTailOff(run, run.phase2EndPressure, true);
    if (run.phase2EndPressure > d.Patm) {
        RunSecondTailOff(run);
    }
}

void ComputeTracerResults(Run& run) {
    Quantities& q = run.q;
    const double tracerLeft = run.main[kLastBurningPoint].Ltr;
    const bool hasTail = q.TracerTailEnd != 0;
    q.TracerRate = hasTail && q.BurnTime != 0 ? tracerLeft / (q.TracerTailEnd - q.BurnTime) : 0;
    q.TracerTailTime = hasTail ? q.TracerTailEnd - q.BurnTime : 0;
}

ChargeState Charge(const SimRow& row, bool coresBurning) {
    return {row.m, row.Ab, coresBurning ? row.web : row.Ltr / 2, row.flux, row.d, row.D,
            row.L, row.Ltr};
}

TimePoint MakeTimePoint(double P, double AtSI, double At, double t, const ChargeState& charge) {
    TimePoint point;
    point.pressurePa = P * 1e6;
    point.throatAreaSI = AtSI;
    point.throatArea = At;
    point.time = t;
    point.charge = charge;
    return point;
}

TimePoint FromRow(const SimRow& row, double timeOffset, bool coresBurning) {
    return MakeTimePoint(row.P, row.AtSI, row.At, row.t + timeOffset, Charge(row, coresBurning));
}

// The points of a tail-off; the charge stays as the phase before it left it.
void CopyTail(const TailList& tail, double AtSI, double At, const ChargeState& charge,
              TimeSeries& series, int firstRow) {
    for (int j = 0; j < static_cast<int>(tail.size()); ++j) {
        series[firstRow + j] = MakeTimePoint(tail[j].P, AtSI, At, tail[j].t, charge);
    }
}

constexpr int kFirstTailRow = kLastBurningPoint + 1;  // 835
constexpr int kHalfPhase = kSimulationSteps / 2;      // 417

// Rows 0..881: the main phase, the tail-offs and, when it ran, every second point of phase 2.
TimeSeries BuildTimeSeries(const Run& run) {
    const Quantities& q = run.q;
    const bool cores = run.d.grainKind != kEndBurnerOnly;
    const ChargeState mainEnd = Charge(run.main[kLastBurningPoint], cores);
    TimeSeries series;
    if (!run.secondPhase) {
        // In order: the rows are made where they belong, once.
        series.reserve(kTimeSeriesRows);
        for (int i = 0; i < kPhasePoints; ++i) {
            series.push_back(FromRow(run.main[i], 0, cores));
        }
        for (const TailPoint& point : run.firstTail) {
            series.push_back(MakeTimePoint(point.P, q.AtEndSI, q.AtEnd, point.t, mainEnd));
        }
        series.resize(kTimeSeriesRows);
        return series;
    }
    series.resize(kTimeSeriesRows);
    const ChargeState secondEnd = Charge(run.second[kLastBurningPoint], false);
    for (int k = 0; k <= kHalfPhase; ++k) {
        series[kHalfPhase + k] = FromRow(run.second[2 * k], q.BurnTime, false);
    }
    for (int k = 0; k <= kHalfPhase; ++k) {
        series[k] = FromRow(run.main[2 * k], 0, cores);
    }
    if (!run.secondTail.empty()) {
        CopyTail(run.secondTail, q.TracerAtEndSI, q.TracerAtEnd, secondEnd, series, kFirstTailRow);
    } else {
        // No decay after the end-burning grain: hold its last point.
        const TimePoint last = MakeTimePoint(run.phase2EndPressure, q.TracerAtEndSI, q.TracerAtEnd,
                                             q.TracerEnd, secondEnd);
        std::fill(series.begin() + kFirstTailRow, series.begin() + kLastTimePoint, last);
    }
    CopyTail(run.firstTail, q.AtEndSI, q.AtEnd, mainEnd, series, kHalfPhase);
    return series;
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

bool AllPressureFinite(CalculationResult& r) {
    const Quantities& q = r.figures;
    return AllFinite(r, Stage::kPressure,
                     {{"Pmax", q.Pmax},
                      {"BurnTime", q.BurnTime},
                      {"ThrustTime", q.ThrustTime},
                      {"AvgBurnRate", q.AvgBurnRate},
                      {"StepRateMean", q.StepRateMean},
                      {"TracerPressure", q.TracerPressure},
                      {"TracerRate", q.TracerRate},
                      {"TracerTailTime", q.TracerTailTime},
                      {"TailStep", q.TailStep}}) &&
           AllFinite(r, Stage::kPressure, r.pressureCurve, series_name::kPressureCurve);
}

bool StopOutOfTable(CalculationResult& r, const OutOfTable& where) {
    Stop(r, Stage::kPressure, DiagnosticCode::kPressureOutOfTable, "P");
    r.diagnostics.back().value = where.P;
    r.diagnostics.back().at = where.t;
    return false;
}

}  // namespace

bool SimulatePressure(CalculationResult& r) {
    const MotorDesign& d = r.design;
    Quantities& q = r.figures;
    q.SimStep = ChooseSimStep(d);
    Run run(d, q);
    if (HasCoredGrains(d.grainKind)) {
        // The port against the throat at the first point, as the erosive burning sees it.
        SimRow first;
        MainGeometry(run, 0, first);
        q.PortThroatRatio = MainPortArea(d, first) / first.At;
    }
    if (d.burnRate.nonNumericCell) {
        return Stop(r, Stage::kPressure, DiagnosticCode::kBurnRateTableNotANumber);
    }
    run.chokedPower = ChokedFlowPower(d.propellant.k);
    run.chart.reserve(2 * kPhasePoints + 2 * kTailPoints);
    if (const auto outOfTable = RunMainPhase(run)) {
        return StopOutOfTable(r, *outOfTable);
    }
    if (d.grainKind != kCoredOnly && run.main[kLastBurningPoint].Ltr > q.SimStep) {
        if (const auto outOfTable = RunSecondPhase(run)) {
            return StopOutOfTable(r, *outOfTable);
        }
    }
    q.AvgBurnRate = q.BurnTime > 0 ? q.WebTotal / q.BurnTime : 0;
    RunTailOffs(run);
    ComputeTracerResults(run);
    q.Pmax = LargestY(run.chart);
    r.pressureCurve = std::move(run.chart);
    if (!AllPressureFinite(r)) {
        return false;
    }
    // Phase-2 points and the first tail-off overlap in time; the chart draws in time order.
    const auto earlier = [](const ChartPoint& a, const ChartPoint& b) { return a.x < b.x; };
    if (!std::is_sorted(r.pressureCurve.begin(), r.pressureCurve.end(), earlier)) {
        std::stable_sort(r.pressureCurve.begin(), r.pressureCurve.end(), earlier);
    }
    TimeSeries series = BuildTimeSeries(run);
    if (!AllFinite(series)) {
        return Stop(r, Stage::kPressure, DiagnosticCode::kNotFinite, series_name::kTimeSeries);
    }
    r.timeSeries = std::move(series);
    return true;
}

}  // namespace tarvo
