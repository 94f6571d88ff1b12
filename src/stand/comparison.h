#pragma once
// The figures of a measured and a calculated thrust curve, found by the same rules, side by
// side: total impulse, average thrust over the burn, maximum thrust, the burn's span between
// the 5 % points, specific impulse with the motor's propellant mass and, when the log has
// pressure, the maximum chamber pressure (gauge).

#include <array>
#include <optional>
#include <string_view>

#include "stand/calculated_motor.h"
#include "stand/measured_curve.h"

namespace tarvo {

struct CurveFigures {
    double It = 0.0;             // N s
    double Favg = 0.0;           // N, over the burn
    double Fmax = 0.0;           // N
    double span = 0.0;           // s, between the 5 % points
    double Isp = 0.0;            // s
    std::optional<double> Pmax;  // MPa gauge
};

enum class Figure { kIt, kFavg, kFmax, kSpan, kIsp, kPmax };

// What a figure is called in reports, JSON and the window, and how many decimals it shows.
struct FigureLayout {
    Figure figure;
    std::string_view key;           // JSON key
    std::string_view caption;       // Russian
    std::string_view shortCaption;  // for a narrow table
    int decimals;
};
inline constexpr std::array<FigureLayout, 6> kFigureLayouts = {{
    {Figure::kIt, "It", "Полный импульс, [It], Н*с", "It, Н*с", 1},
    {Figure::kFavg, "Favg", "Средняя тяга, [Favg], Н", "Favg, Н", 1},
    {Figure::kFmax, "Fmax", "Максимальная тяга, [Fmax], Н", "Fmax, Н", 1},
    {Figure::kSpan, "span", "Время тяги (от 5 % до 5 %), с", "Время, с", 3},
    {Figure::kIsp, "Isp", "Удельный импульс, [Isp], с", "Isp, с", 1},
    {Figure::kPmax, "Pmax", "Pmax (избыточное), [МПа]", "Pmax, МПа", 2},
}};

// The figure's value; nothing for a pressure the curve does not have or an Isp without a mass.
std::optional<double> FigureValue(const CurveFigures& figures, Figure figure);

// Impulse from the last zero thrust before the burn to the first after it, so that the rise
// and the tail-off below 5 % count but the noise of a waiting stand does not.
CurveFigures MeasuredFigures(const MeasuredCurve& curve, double propellantWeight);

// Nothing when the calculated curve has no burn. `withPressure`: Pmax - Patm is filled.
std::optional<CurveFigures> CalculatedFigures(const CalculatedMotor& motor, bool withPressure);

struct Comparison {
    CurveFigures measured;
    CurveFigures calculated;
};

std::optional<Comparison> Compare(const MeasuredCurve& curve, const CalculatedMotor& motor);

// (calculated - measured) / measured in per cent; nothing when the measured value is 0.
std::optional<double> DifferencePercent(double measured, double calculated);

}  // namespace tarvo
