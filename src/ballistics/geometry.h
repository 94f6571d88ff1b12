#pragma once
// Charge volume and mass, initial burning areas, the throat, and the gas constants.

#include <string>

#include "model/motor_model.h"

namespace tarvo {

inline constexpr double kUniversalGasConstant = 8314;  // J/(kmol K), the fixed label of tab 2

// What the geometry step does to the four "show the end-burning grain" boxes of tabs 1-4.
enum class TracerBoxes {
    kUntouched,          // the step failed before deciding
    kUncheckAndDisable,  // cored grains only
    kDisableAndCheck,    // end-burning grain only
    kEnableAndCheck,     // both
};

struct GeometryResult {
    bool ok = false;
    std::string message;  // status text when !ok
    TracerBoxes tracerBoxes = TracerBoxes::kUntouched;
};

// Chamber volume Dc^2 * pi/4 * Lc in mm^3, as the inputs are read.
double ChamberVolume(double Dc, double Lc);

// Applies the grain kind to the model and derives Lg, Lgo, Vg, Vt, p, m, the burning areas,
// Ato, Dt, Dtf, R', R, To act, c* and w. Refuses designs it cannot calculate.
GeometryResult ComputeGeometry(MotorModel& model,
                               double universalGasConstant = kUniversalGasConstant);

}  // namespace tarvo
