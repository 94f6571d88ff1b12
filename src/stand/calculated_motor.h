#pragma once
// A calculated motor as the comparison and the fit see it. The form layer's adapter
// (form/stand_calculation.h) fills it from the program's calculation; tests fill it from
// models of their own.

#include <string>
#include <vector>

namespace tarvo {

struct CalculatedMotor {
    std::vector<double> time;       // s from the start of the calculation, increasing
    std::vector<double> thrust;     // N
    std::vector<double> pressure;   // MPa absolute
    double Patm = 0.0;              // MPa
    double Pmax = 0.0;              // MPa absolute
    double propellantMass = 0.0;    // kg
    double propellantWeight = 0.0;  // N, the mass under standard gravity: Isp = It / weight
    std::string failure;            // the status message when the calculation failed

    bool ok() const { return failure.empty(); }
};

}  // namespace tarvo
