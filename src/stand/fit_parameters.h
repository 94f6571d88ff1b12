#pragma once
// The inputs a fit may change, their names and their bounds: `burn-rate`, one factor on every
// coefficient `a` of the selected propellant's burn-rate table; `uc` and `unoz`, the combustion
// and nozzle efficiencies; `e`, the throat erosion in mm.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

enum class FitParameter { kBurnRate, kUc, kUnoz, kErosion };
inline constexpr std::size_t kFitParameterCount = 4;

struct FitParameterLayout {
    FitParameter parameter;
    std::string_view name;  // as typed after --fit and written in JSON
    double lower;
    double upper;  // for the erosion: the throat diameter instead
};
inline constexpr std::array<FitParameterLayout, kFitParameterCount> kFitParameterLayouts = {{
    {FitParameter::kBurnRate, "burn-rate", 0.5, 2.0},
    {FitParameter::kUc, "uc", 0.5, 1.0},
    {FitParameter::kUnoz, "unoz", 0.5, 1.0},
    {FitParameter::kErosion, "e", 0.0, 0.0},
}};

std::string_view FitParameterName(FitParameter parameter);

// A value for each of the four; the burn-rate factor 1 leaves the table as it is.
class FitValues {
public:
    FitValues() = default;
    FitValues(double burnRate, double uc, double unoz, double e) : values_{burnRate, uc, unoz, e} {}
    double& operator[](FitParameter p) { return values_[static_cast<std::size_t>(p)]; }
    double operator[](FitParameter p) const { return values_[static_cast<std::size_t>(p)]; }

private:
    std::array<double, kFitParameterCount> values_{1.0, 0.0, 0.0, 0.0};
};

struct FitBounds {
    FitValues lower;
    FitValues upper;
};

// Factor 0,5 to 2; efficiencies 0,5 to 1; erosion 0 to the throat diameter (mm).
FitBounds FitBoundsFor(double throatDiameter);

struct FitParameterList {
    std::vector<FitParameter> parameters;  // in the order of kFitParameterLayouts
    std::string error;                     // Russian; empty when the list is good
};

// "burn-rate,unoz": names separated by commas, each at most once.
FitParameterList ParseFitParameters(std::string_view list);

}  // namespace tarvo
