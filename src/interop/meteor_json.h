#pragma once
// Meteor's JSON export: an object with "version" (1 or 2), "measureUnit" ("SI", "IMPERIAL";
// absent means SI) and "configs", a list of designs. Numbers may be JSON numbers or strings.
// Lengths are mm or inches, pressures MPa or psi, densities g/cm^3 or lb/in^3, burn-rate
// coefficients for mm/s at MPa or in/s at psi; the ambient pressure is in MPa and the throat
// erosion in mm in both systems, and c* in m/s or ft/s.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "interop/motor_draft.h"

namespace tarvo {

// The names of the file's designs in file order. Throws ImportRefusal for a file that is not
// such an export or holds no design.
std::vector<std::string> MeteorDesignNames(std::string_view text);

// Design `index` (from 0) as a draft. Throws ImportRefusal naming what Tarvo cannot take.
MotorDraft MeteorDesign(std::string_view text, std::size_t index);

}  // namespace tarvo
