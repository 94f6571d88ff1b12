#pragma once
// Thrust, impulse and nozzle figures over the time series; run twice per calculation, the
// second pass with the exit Mach number the first pass found.

#include <string>
#include <vector>

#include "ballistics/stage.h"
#include "model/motor_model.h"

namespace tarvo {

struct ResultRow {
    int point = 0;        // index into the time series
    double time = 0.0;    // s
    double thrust = 0.0;  // N
};

struct ThrustResult {
    ChartSeries thrust;  // tab 3: points 1..882
    double thrustAxisMax = 0.0;
    double timeAxisMax = 0.0;
    bool summaryFilled = false;  // the second pass fills the summary chart and the table
    ChartSeries summary;         // tab 4: the 23 result rows
    double summaryThrustAxisMax = 0.0;
    double summaryTimeAxisMax = 0.0;
    std::vector<ResultRow> rows;
    double Isp = 0.0;     // s
    std::string message;  // status text when the pass failed
};

// One pass. Sets model.flags.Thrust on success and toggles model.ThrustPassFlag; a failed pass
// leaves ThrustPassFlag false so that the next calculation again starts with a first pass.
ThrustResult ComputeThrust(MotorModel& model);

}  // namespace tarvo
