#pragma once
// The three propellants the program knows, their names and their built-in constants.

#include <array>
#include <string_view>

#include "model/motor_model.h"

namespace tarvo {

// Ftype 1..3 index these arrays at Ftype - 1.
inline constexpr std::array<std::string_view, kPropellantCount> kPropellantNames = {
    "KN/DX-65/35", "KN/SB-65/35", "KN/SU-65/35"};
inline constexpr std::array<std::string_view, kPropellantCount> kPropellantShortNames = {
    "KN/DX", "KN/SB", "KN/SU"};

bool IsValidFtype(int Ftype);

PropellantSpec DefaultPropellant(int Ftype);
BurnRateTable DefaultBurnRateTable(int Ftype);

}  // namespace tarvo
