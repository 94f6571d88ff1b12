#include "ballistics/kn_curve.h"

#include <algorithm>
#include <numbers>
#include <vector>

#include "ballistics/stage.h"

namespace tarvo {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kQuarterPi = std::numbers::pi / 4;

struct KnRow {
    double x = 0.0;
    double coreDiameter = 0.0;
    double outerDiameter = 0.0;
    double coredLength = 0.0;
    double tracerLength = 0.0;
    double web = 0.0;
    double halfTracerLength = 0.0;
    double totalArea = 0.0;
    double throatArea = 0.0;
    double Kn = 0.0;
};

// Web step chosen so that 50 steps reach the first burn-out, radial or axial.
double ChooseKnStep(const MotorDesign& d) {
    if (!HasCoredGrains(d.grainKind)) {
        return d.Lto / kKnSteps;
    }
    const int radialSurfaces = d.Cs + d.Os;
    const double radial = radialSurfaces == 1 ? (d.Do - d.do_) / 2 : (d.Do - d.do_) / 4;
    const double axial = d.Es == 1 ? d.Lo / 2 : d.Lo;
    return radial <= axial ? radial / kKnSteps : axial / kKnSteps;
}

// The receding surfaces at web regression row.x.
void FillKnGeometry(const MotorDesign& d, const Quantities& q, KnRow& row) {
    row.coreDiameter = d.do_ + 2 * row.x * d.Cs;
    row.outerDiameter = d.Do - 2 * row.x * d.Os;
    row.coredLength = q.Lg - static_cast<double>(2 * static_cast<std::int64_t>(d.N)) * row.x * d.Es;
    row.tracerLength = d.Lto - row.x;
    row.web = (row.outerDiameter - row.coreDiameter) / 2;
    row.halfTracerLength = row.tracerLength / 2;
    if (row.web == 0) {
        row.web = row.halfTracerLength;
    }
}

// Burning areas and Kn; the throat widens with the burnt part of the initial web `web0`.
void FillKnAreas(const MotorDesign& d, const Quantities& q, double web0, KnRow& row) {
    const auto endFaces = static_cast<double>(static_cast<std::int64_t>(d.N) * 2 * d.Es);
    const double di = row.coreDiameter;
    const double Di = row.outerDiameter;
    const double endsArea = (Di * Di - di * di) * endFaces * kPi / 4;
    const double coreArea = d.Cs * kPi * di * row.coredLength;
    const double outerArea = d.Os * kPi * Di * row.coredLength;
    const double tracerArea = row.tracerLength >= 0 ? q.Abtr : 0;
    row.totalArea = endsArea + coreArea + outerArea + tracerArea;
    if (d.grainKind == kEndBurnerOnly) {
        row.throatArea = q.Dt * q.Dt * kQuarterPi;
    } else {
        const double throatDiameter = q.Dt + d.e * (web0 - row.web) / web0;
        row.throatArea = throatDiameter * throatDiameter * kQuarterPi;
    }
    row.Kn = row.totalArea / row.throatArea;
}

// The end-burning grain alone after the cored grains are gone: 50 more steps.
void AddTailPhase(CalculationResult& r, double tracerLeft) {
    Quantities& q = r.figures;
    std::vector<KnRow> table(kKnSteps + 1);
    q.KnStep = tracerLeft / kKnSteps;
    q.KnEnd = 0;
    const double throatArea = q.Dt * q.Dt * kQuarterPi;
    for (int j = 0; j <= kKnSteps; ++j) {
        KnRow& row = table[j];
        row.x = j == 0 ? 0 : table[j - 1].x + q.KnStep;
        row.tracerLength = tracerLeft - row.x;
        row.halfTracerLength = row.tracerLength / 2;
        row.totalArea = row.tracerLength >= 0 ? q.Abtr : 0;
        row.throatArea = throatArea;
        row.Kn = row.totalArea / row.throatArea;
        if (j < kKnSteps) {
            q.KnEnd += row.Kn;
            r.knCurve.push_back({row.x + q.WebTotal, row.Kn});
        }
    }
    q.KnEnd = q.KnEnd / kKnSteps;
}

bool AllKnFinite(CalculationResult& r) {
    const Quantities& q = r.figures;
    return AllFinite(r, Stage::kKn,
                     {{"Kn max", q.KnMax},
                      {"Kn min", q.KnMin},
                      {"Kn avg", q.KnAvg},
                      {"Kn end", q.KnEnd},
                      {"Vc", q.Vc},
                      {"WebTotal", q.WebTotal}}) &&
           AllFinite(r, Stage::kKn, r.knCurve, series_name::kKnCurve) &&
           AllFinite(r, Stage::kKn, r.webCurve, series_name::kKnCurve);
}

}  // namespace

bool ComputeKnCurve(CalculationResult& r) {
    const MotorDesign& d = r.design;
    Quantities& q = r.figures;
    q.KnStep = ChooseKnStep(d);
    std::vector<KnRow> table(kKnSteps + 1);
    r.knCurve.reserve(2 * kKnSteps);
    r.webCurve.reserve(kKnSteps + 1);
    q.KnAvg = 0;
    double web0 = 0;
    for (int i = 0; i <= kKnSteps; ++i) {
        KnRow& row = table[i];
        row.x = i == 0 ? 0 : table[i - 1].x + q.KnStep;
        FillKnGeometry(d, q, row);
        if (i == 0) {
            web0 = row.web;
        }
        FillKnAreas(d, q, web0, row);
        if (i < kKnSteps) {
            r.knCurve.push_back({row.x, row.Kn});
            q.KnAvg += row.Kn;
        }
        const double webShown = d.grainKind == kEndBurnerOnly ? row.halfTracerLength : row.web;
        r.webCurve.push_back({row.x, webShown});
    }
    q.WebTotal = table[kKnSteps].x;
    const auto [minIt, maxIt] =
        std::minmax_element(r.knCurve.begin(), r.knCurve.end(),
                            [](const ChartPoint& a, const ChartPoint& b) { return a.y < b.y; });
    q.KnMax = maxIt->y;
    q.KnMin = minIt->y;
    q.KnAvg = q.KnAvg / kKnSteps;
    q.KnEnd = q.Abtr / q.Ato;
    const double tracerLeft = table[kKnSteps].tracerLength;
    if (d.grainKind != kCoredOnly && tracerLeft > q.KnStep) {
        AddTailPhase(r, tracerLeft);
    }
    if (d.grainKind == kEndBurnerOnly) {
        q.KnEnd = q.KnAvg;
    }
    if (!AllKnFinite(r)) {
        return false;
    }
    if (q.KnMin >= 0 && q.KnMax >= 0) {
        return true;
    }
    return Stop(r, Stage::kKn, DiagnosticCode::kNegativeKn);
}

}  // namespace tarvo
