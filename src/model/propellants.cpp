#include "model/propellants.h"

namespace tarvo {
namespace {

constexpr std::array<PropellantSpec, kPropellantCount> kDefaultPropellants = {{
    {1.879, 1.043, 1.1308, 42.39, 1710},
    {1.841, 1.042, 1.1361, 39.9, 1600},
    {1.889, 1.044, 1.133, 41.98, 1720},
}};

constexpr std::array<std::array<BurnRateRange, kBurnRateRanges>, kPropellantCount> kDefaultRanges =
    {{
        {{
            {0.100, 0.779, 8.875, 0.619},
            {0.779, 2.572, 7.553, -0.009},
            {2.572, 5.930, 3.841, 0.688},
            {5.930, 8.502, 17.20, -0.148},
            {8.502, 11.20, 4.775, 0.442},
        }},
        {{
            {0.091, 0.807, 10.708, 0.625},
            {0.807, 1.503, 8.763, -0.314},
            {1.503, 3.792, 7.852, -0.013},
            {3.792, 7.033, 3.907, 0.535},
            {7.033, 10.67, 9.653, 0.064},
        }},
        {{
            {0.091, 4.8, 7.695, 0.39},
            {0, 0, 0, 0},
            {0, 0, 0, 0},
            {0, 0, 0, 0},
            {0, 0, 0, 0},
        }},
    }};

}  // namespace

bool IsValidFtype(int Ftype) {
    return Ftype >= 1 && Ftype <= kPropellantCount;
}

PropellantSpec DefaultPropellant(int Ftype) {
    return IsValidFtype(Ftype) ? kDefaultPropellants[Ftype - 1] : PropellantSpec{};
}

BurnRateTable DefaultBurnRateTable(int Ftype) {
    BurnRateTable table;
    if (IsValidFtype(Ftype)) {
        table.ranges = kDefaultRanges[Ftype - 1];
    }
    return table;
}

}  // namespace tarvo
