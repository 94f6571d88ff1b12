#pragma once
// openMotor's motor files (.ric, YAML, SI units: metres, Pa, kg/m^3, burn-rate coefficient a
// in m/(s·Pa^n)): "data" with "grains", "nozzle", "propellant" and "config". Tags such as
// "!!python/tuple" are ignored.
//
// A .ric has no chamber, combustion efficiency, erosive burning or throat erosion. Read, the
// chamber is the grains' diameter and total length, uc is at its field's maximum 0,99, kv and e
// are 0, and the density ratio is 0,98 (its field's maximum) with the slot's ideal density =
// the file's density / 0,98. Written, those of the design are left out and listed.

#include <string>
#include <string_view>
#include <vector>

#include "interop/motor_draft.h"

namespace tarvo {

// Throws ImportRefusal naming what Tarvo cannot take: grain types other than BATES and one
// forward End Burner, BATES grains of different sizes or with one end inhibited, propellant
// tabs with different k, t or m, more tabs than a slot holds.
MotorDraft RicDesign(std::string_view text);

struct RicText {
    std::string text;
    std::vector<std::string> notWritten;  // what of the design a .ric cannot hold
};

// The design as a .ric: BATES grains (the cored grains, their outer surface inhibited), the end
// burner as the forward grain, the propellant as one tab per burn-rate range. Throws
// ImportRefusal for a design that openMotor's grains cannot hold.
RicText FormatRic(const MotorDraft& draft);

}  // namespace tarvo
