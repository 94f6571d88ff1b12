#include "stand/comparison.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarvo {
namespace {

double TotalImpulse(std::span<const double> time, std::span<const double> thrust,
                    const BurnWindow& burn) {
    std::size_t first = burn.firstSample;
    while (first > 0 && thrust[first] > 0) {
        --first;
    }
    std::size_t last = burn.lastSample;
    while (last + 1 < thrust.size() && thrust[last] > 0) {
        ++last;
    }
    return IntegrateBetween(time, thrust, time[first], time[last]);
}

CurveFigures FiguresOf(std::span<const double> time, std::span<const double> thrust,
                       const BurnWindow& burn, double propellantWeight) {
    CurveFigures figures;
    figures.It = TotalImpulse(time, thrust, burn);
    figures.span = burn.span();
    figures.Favg = figures.span > 0
                       ? IntegrateBetween(time, thrust, burn.ignition, burn.end) / figures.span
                       : 0.0;
    figures.Fmax = *std::max_element(thrust.begin(), thrust.end());
    figures.Isp = propellantWeight > 0 ? figures.It / propellantWeight
                                       : std::numeric_limits<double>::quiet_NaN();
    return figures;
}

std::optional<double> StoredValue(const CurveFigures& figures, Figure figure) {
    switch (figure) {
        case Figure::kIt:
            return figures.It;
        case Figure::kFavg:
            return figures.Favg;
        case Figure::kFmax:
            return figures.Fmax;
        case Figure::kSpan:
            return figures.span;
        case Figure::kIsp:
            return figures.Isp;
        case Figure::kPmax:
            return figures.Pmax;
    }
    return std::nullopt;
}

}  // namespace

std::optional<double> FigureValue(const CurveFigures& figures, Figure figure) {
    const std::optional<double> value = StoredValue(figures, figure);
    return value && std::isfinite(*value) ? value : std::nullopt;
}

CurveFigures MeasuredFigures(const MeasuredCurve& curve, double propellantWeight) {
    const StandSamples& s = curve.samples;
    CurveFigures figures = FiguresOf(s.time, s.thrust, curve.burn, propellantWeight);
    if (curve.hasPressure()) {
        figures.Pmax = *std::max_element(s.pressure.begin(), s.pressure.end());
    }
    return figures;
}

std::optional<CurveFigures> CalculatedFigures(const CalculatedMotor& motor, bool withPressure) {
    const std::optional<BurnWindow> burn = FindBurnWindow(motor.time, motor.thrust);
    if (!burn) {
        return std::nullopt;
    }
    CurveFigures figures = FiguresOf(motor.time, motor.thrust, *burn, motor.propellantWeight);
    if (withPressure) {
        figures.Pmax = motor.Pmax - motor.Patm;
    }
    return figures;
}

std::optional<Comparison> Compare(const MeasuredCurve& curve, const CalculatedMotor& motor) {
    const std::optional<CurveFigures> calculated = CalculatedFigures(motor, curve.hasPressure());
    if (!calculated) {
        return std::nullopt;
    }
    return Comparison{MeasuredFigures(curve, motor.propellantWeight), *calculated};
}

std::optional<double> DifferencePercent(double measured, double calculated) {
    if (measured == 0) {
        return std::nullopt;
    }
    return (calculated - measured) / measured * 100;
}

}  // namespace tarvo
