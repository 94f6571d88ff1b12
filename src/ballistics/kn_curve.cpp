#include "ballistics/kn_curve.h"

#include <algorithm>
#include <numbers>

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

bool HasCoredGrains(const MotorModel& m) {
    return m.grainKind == kCoredOnly || m.grainKind == kCoredAndEndBurner;
}

// Web step chosen so that 50 steps reach the first burn-out, radial or axial.
double ChooseKnStep(MotorModel& m) {
    if (!HasCoredGrains(m)) {
        return m.Lto / kKnSteps;
    }
    m.RadialSurfaces = m.Cs + m.Os;
    const double radial = m.RadialSurfaces == 1 ? (m.Do - m.do_) / 2 : (m.Do - m.do_) / 4;
    const double axial = m.Es == 1 ? m.Lo / 2 : m.Lo;
    return radial <= axial ? radial / kKnSteps : axial / kKnSteps;
}

// The receding surfaces at web regression row.x.
void FillKnGeometry(const MotorModel& m, KnRow& row) {
    row.coreDiameter = m.do_ + 2 * row.x * m.Cs;
    row.outerDiameter = m.Do - 2 * row.x * m.Os;
    row.coredLength = m.Lg - static_cast<double>(2 * static_cast<std::int64_t>(m.N)) * row.x * m.Es;
    row.tracerLength = m.Lto - row.x;
    row.web = (row.outerDiameter - row.coreDiameter) / 2;
    row.halfTracerLength = row.tracerLength / 2;
    if (row.web == 0) {
        row.web = row.halfTracerLength;
    }
}

// Burning areas and Kn; the throat widens with the burnt part of the initial web `web0`.
void FillKnAreas(const MotorModel& m, double web0, KnRow& row) {
    const auto endFaces = static_cast<double>(static_cast<std::int64_t>(m.N) * 2 * m.Es);
    const double d = row.coreDiameter;
    const double D = row.outerDiameter;
    const double endsArea = (D * D - d * d) * endFaces * kPi / 4;
    const double coreArea = m.Cs * kPi * d * row.coredLength;
    const double outerArea = m.Os * kPi * D * row.coredLength;
    const double tracerArea = row.tracerLength >= 0 ? m.Abtr : 0;
    row.totalArea = endsArea + coreArea + outerArea + tracerArea;
    if (m.grainKind == kEndBurnerOnly) {
        row.throatArea = m.Dt * m.Dt * kQuarterPi;
    } else {
        const double throatDiameter = m.Dt + m.e * (web0 - row.web) / web0;
        row.throatArea = throatDiameter * throatDiameter * kQuarterPi;
    }
    row.Kn = row.totalArea / row.throatArea;
}

// The end-burning grain alone after the cored grains are gone: 50 more steps.
void AddTailPhase(MotorModel& m, double tracerLeft, KnCurveResult& result) {
    auto table = CreateWorkingTable<KnRow>(kKnSteps + 1);
    m.KnStep = tracerLeft / kKnSteps;
    m.KnEnd = 0;
    const double throatArea = m.Dt * m.Dt * kQuarterPi;
    for (int j = 0; j <= kKnSteps; ++j) {
        KnRow& row = table[j];
        row.x = j == 0 ? 0 : table[j - 1].x + m.KnStep;
        row.tracerLength = tracerLeft - row.x;
        row.halfTracerLength = row.tracerLength / 2;
        row.totalArea = row.tracerLength >= 0 ? m.Abtr : 0;
        row.throatArea = throatArea;
        row.Kn = row.totalArea / row.throatArea;
        if (j < kKnSteps) {
            m.KnEnd += row.Kn;
            result.kn.push_back({row.x + m.WebTotal, row.Kn});
        }
    }
    m.KnEnd = m.KnEnd / kKnSteps;
}

std::string NonFiniteKn(const MotorModel& m, const KnCurveResult& r) {
    const std::string_view name = FirstNonFinite({{"Kn max", m.KnMax},
                                                  {"Kn min", m.KnMin},
                                                  {"Kn avg", m.KnAvg},
                                                  {"Kn end", m.KnEnd},
                                                  {"Vc", m.Vc},
                                                  {"WebTotal", m.WebTotal},
                                                  {"ось Kn", r.knAxisMax},
                                                  {"ось толщины свода", r.webAxisMax},
                                                  {"ось регрессии", r.regressionAxisMax}});
    if (!name.empty()) {
        return ComputationFaultMessage(name, 1);
    }
    if (!AllFinite(r.kn) || !AllFinite(r.web)) {
        return ComputationFaultMessage("кривая Kn", 1);
    }
    return {};
}

}  // namespace

KnCurveResult ComputeKnCurve(MotorModel& m) {
    m.flags.Kn = false;
    KnCurveResult result;
    m.KnStep = ChooseKnStep(m);
    auto table = CreateWorkingTable<KnRow>(kKnSteps + 1);
    result.kn.reserve(2 * kKnSteps);
    result.web.reserve(kKnSteps + 1);
    m.KnAvg = 0;
    double web0 = 0;
    for (int i = 0; i <= kKnSteps; ++i) {
        KnRow& row = table[i];
        row.x = i == 0 ? 0 : table[i - 1].x + m.KnStep;
        FillKnGeometry(m, row);
        if (i == 0) {
            web0 = row.web;
        }
        FillKnAreas(m, web0, row);
        if (i < kKnSteps) {
            result.kn.push_back({row.x, row.Kn});
            m.KnAvg += row.Kn;
        }
        const double webShown = m.grainKind == kEndBurnerOnly ? row.halfTracerLength : row.web;
        result.web.push_back({row.x, webShown});
    }
    m.WebTotal = table[kKnSteps].x;
    const auto [minIt, maxIt] =
        std::minmax_element(result.kn.begin(), result.kn.end(),
                            [](const ChartPoint& a, const ChartPoint& b) { return a.y < b.y; });
    m.KnMax = maxIt->y;
    m.KnMin = minIt->y;
    m.KnAvg = m.KnAvg / kKnSteps;
    m.KnEnd = m.Abtr / m.Ato;
    const double tracerLeft = table[kKnSteps].tracerLength;
    if (m.grainKind != kCoredOnly && tracerLeft > m.KnStep) {
        AddTailPhase(m, tracerLeft, result);
    }
    if (m.grainKind == kEndBurnerOnly) {
        m.KnEnd = m.KnAvg;
    }
    result.knAxisMax = m.KnMax + 0.11 * m.KnMax;
    const double largestWeb = LargestY(result.web);
    result.webAxisMax = largestWeb + 0.1 * largestWeb;
    const double largestRegression = LargestX(result.kn);
    result.regressionAxisMax = largestRegression + 0.1 * largestRegression;
    if (std::string fault = NonFiniteKn(m, result); !fault.empty()) {
        result.message = std::move(fault);
        return result;
    }
    if (m.KnMin >= 0 && m.KnMax >= 0) {
        m.flags.Kn = true;
    } else {
        result.message = "Неверные параметры топливного заряда [вкладка 1] - Kn отрицательный";
    }
    return result;
}

}  // namespace tarvo
