#include "ballistics/design_checks.h"

#include <algorithm>
#include <cmath>

namespace tarvo {
namespace {

void Add(CalculationResult& r, DiagnosticCode code, Severity severity, Stage stage,
         std::string_view subject, double value, std::optional<double> limit) {
    Diagnostic diagnostic;
    diagnostic.code = code;
    diagnostic.severity = severity;
    diagnostic.stage = stage;
    diagnostic.subject = subject;
    diagnostic.value = value;
    diagnostic.limit = limit;
    r.diagnostics.push_back(diagnostic);
}

// The narrow port chokes the flow past the grains and burns them erosively; a port narrower
// than the throat makes the port the throat.
void CheckPort(CalculationResult& r) {
    const double ratio = r.figures.PortThroatRatio;
    const double limit = r.design.limits.minPortThroat;
    if (ratio < 1) {
        Add(r, DiagnosticCode::kPortThroat, Severity::kError, Stage::kPressure, "PortThroatRatio",
            ratio, 1.0);
    } else if (ratio < limit) {
        Add(r, DiagnosticCode::kPortThroat, Severity::kWarning, Stage::kPressure, "PortThroatRatio",
            ratio, limit);
    }
}

void CheckMassFlux(CalculationResult& r) {
    const double limit = r.design.limits.maxMassFlux;
    if (r.figures.PeakMassFlux > limit) {
        Add(r, DiagnosticCode::kMassFlux, Severity::kWarning, Stage::kPressure, "PeakMassFlux",
            r.figures.PeakMassFlux, limit);
    }
}

void CheckCasing(CalculationResult& r) {
    const MotorDesign& d = r.design;
    const double gauge = r.figures.Pmax - d.Patm;
    if (!d.limits.casing) {
        Add(r, DiagnosticCode::kCasingMissing, Severity::kNote, Stage::kPressure, "Pmax", gauge,
            std::nullopt);
        return;
    }
    const double factor = BurstPressure(*d.limits.casing, d.Dc) / gauge;
    if (factor < 1) {
        Add(r, DiagnosticCode::kCasing, Severity::kError, Stage::kPressure, "Pmax", factor,
            d.limits.safetyFactor);
    } else if (factor < d.limits.safetyFactor) {
        Add(r, DiagnosticCode::kCasing, Severity::kWarning, Stage::kPressure, "Pmax", factor,
            d.limits.safetyFactor);
    }
}

// The part of the thrust time in which the nozzle expands the gas below 0.4 of ambient: the
// exit pressure is the chamber pressure over the isentropic ratio at the exit Mach number.
double SeparatedTime(const CalculationResult& r) {
    const double k = r.design.propellant.k2ph;
    const double M = r.figures.Meo;
    const double ratio = std::pow(1 + (k - 1) / 2 * M * M, k / (k - 1));
    const double floor = kSeparationPressureRatio * r.design.Patm * 1e6;
    const TimeSeries& s = r.timeSeries;
    double separated = 0;
    for (int i = 1; i < kLastTimePoint; ++i) {
        if (s[i].time <= r.figures.ThrustTime && s[i].pressurePa / ratio < floor) {
            separated += std::max(0.0, s[i].time - s[i - 1].time);
        }
    }
    return separated / r.figures.ThrustTime;
}

void CheckNozzle(CalculationResult& r) {
    const double separated = SeparatedTime(r);
    if (separated > kSeparationTimeLimit) {
        Add(r, DiagnosticCode::kFlowSeparation, Severity::kWarning, Stage::kThrust, "Ae/At",
            separated, kSeparationTimeLimit);
    }
    const double half = r.figures.AeAtOptMid / 2;
    if (r.design.AeAt < half) {
        Add(r, DiagnosticCode::kUnderExpanded, Severity::kNote, Stage::kThrust, "Ae/At",
            r.design.AeAt, half);
    }
}

// The highest pressure the table's ranges reach, where it has a coefficient.
double TableTop(const BurnRateTable& table) {
    double top = 0;
    for (const BurnRateRange& range : table.ranges) {
        if (range.a != 0) {
            top = std::max(top, range.upper);
        }
    }
    return top;
}

}  // namespace

double BurstPressure(const CasingSpec& casing, double innerDiameter) {
    return 2 * casing.strength * casing.wall / (innerDiameter + 2 * casing.wall);
}

void CheckDesign(CalculationResult& r) {
    for (Diagnostic& diagnostic : r.diagnostics) {
        if (diagnostic.code == DiagnosticCode::kPressureOutOfTable) {
            diagnostic.limit = TableTop(r.design.burnRate);
        }
    }
    if (r.pressure == StageState::kNotRun) {
        return;
    }
    if (HasCoredGrains(r.design.grainKind)) {
        CheckPort(r);
    }
    if (r.pressure != StageState::kSucceeded) {
        return;
    }
    if (HasCoredGrains(r.design.grainKind)) {
        CheckMassFlux(r);
    }
    CheckCasing(r);
    if (r.figures.Pmax > r.design.limits.maxPressure) {
        Add(r, DiagnosticCode::kMaxPressure, Severity::kWarning, Stage::kPressure, "Pmax",
            r.figures.Pmax, r.design.limits.maxPressure);
    }
    if (r.thrust == StageState::kSucceeded) {
        CheckNozzle(r);
    }
    if (r.figures.BurnTime < kShortestBurn) {
        Add(r, DiagnosticCode::kShortBurn, Severity::kWarning, Stage::kPressure, "BurnTime",
            r.figures.BurnTime, kShortestBurn);
    }
}

}  // namespace tarvo
