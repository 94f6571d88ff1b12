#pragma once
// The three propellants the program knows: their designations and built-in constants and
// burn-rate tables. Everything else that shows or stores a default (the tab-5 fields, the
// propellant and motor files) is generated from this table.

#include <array>
#include <string>
#include <string_view>

#include "model/motor_design.h"

namespace tarvo {

// A published number and the decimals it is published with: 0.100 is {0.1, 3}.
struct PublishedNumber {
    double value;
    int decimals;
};

// The text of a published number with the decimal comma: "0,100", "17,20", "1710".
std::string PublishedText(PublishedNumber number);

// The constants in the order p', k2ph, k, M, To; each range as lower, upper, a, n.
inline constexpr int kConstantColumns = 5;
inline constexpr int kBurnRateColumns = 4;
using PublishedConstants = std::array<PublishedNumber, kConstantColumns>;
using PublishedRange = std::array<PublishedNumber, kBurnRateColumns>;

struct PropellantDefaults {
    std::string_view shortName;  // "KN/DX"
    std::string_view name;       // "KN/DX-65/35"
    PublishedConstants constants;
    std::array<PublishedRange, kBurnRateRanges> ranges;
};

// Indexed by Ftype - 1 (1 KN/DX, 2 KN/SB, 3 KN/SU).
// clang-format off
inline constexpr std::array<PropellantDefaults, kPropellantCount> kPropellantDefaults = {{
    {"KN/DX", "KN/DX-65/35",
     {{{1.879, 3}, {1.043, 3}, {1.1308, 4}, {42.39, 2}, {1710, 0}}},
     {{{{{0.100, 3}, {0.779, 3}, {8.875, 3}, {0.619, 3}}},
       {{{0.779, 3}, {2.572, 3}, {7.553, 3}, {-0.009, 3}}},
       {{{2.572, 3}, {5.930, 3}, {3.841, 3}, {0.688, 3}}},
       {{{5.930, 3}, {8.502, 3}, {17.20, 2}, {-0.148, 3}}},
       {{{8.502, 3}, {11.20, 2}, {4.775, 3}, {0.442, 3}}}}}},
    {"KN/SB", "KN/SB-65/35",
     {{{1.841, 3}, {1.042, 3}, {1.1361, 4}, {39.9, 1}, {1600, 0}}},
     {{{{{0.091, 3}, {0.807, 3}, {10.708, 3}, {0.625, 3}}},
       {{{0.807, 3}, {1.503, 3}, {8.763, 3}, {-0.314, 3}}},
       {{{1.503, 3}, {3.792, 3}, {7.852, 3}, {-0.013, 3}}},
       {{{3.792, 3}, {7.033, 3}, {3.907, 3}, {0.535, 3}}},
       {{{7.033, 3}, {10.67, 2}, {9.653, 3}, {0.064, 3}}}}}},
    {"KN/SU", "KN/SU-65/35",
     {{{1.889, 3}, {1.044, 3}, {1.133, 3}, {41.98, 2}, {1720, 0}}},
     {{{{{0.091, 3}, {4.8, 1}, {7.695, 3}, {0.39, 2}}},
       {{{0, 0}, {0, 0}, {0, 0}, {0, 0}}},
       {{{0, 0}, {0, 0}, {0, 0}, {0, 0}}},
       {{{0, 0}, {0, 0}, {0, 0}, {0, 0}}},
       {{{0, 0}, {0, 0}, {0, 0}, {0, 0}}}}}},
}};
// clang-format on

bool IsValidFtype(int Ftype);

// The designations of propellant Ftype, or "" for an Ftype that names none.
std::string_view PropellantName(int Ftype);
std::string_view PropellantShortName(int Ftype);

PropellantSpec DefaultPropellant(int Ftype);
BurnRateTable DefaultBurnRateTable(int Ftype);

// The member of PropellantSpec behind each constant column, and of BurnRateRange behind each
// burn-rate column.
inline constexpr std::array<double PropellantSpec::*, kConstantColumns> kConstantMembers = {
    &PropellantSpec::pPrime, &PropellantSpec::k2ph, &PropellantSpec::k, &PropellantSpec::M,
    &PropellantSpec::To};
inline constexpr std::array<double BurnRateRange::*, kBurnRateColumns> kBurnRateMembers = {
    &BurnRateRange::lower, &BurnRateRange::upper, &BurnRateRange::a, &BurnRateRange::n};

}  // namespace tarvo
