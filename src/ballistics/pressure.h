#pragma once
// Chamber pressure over time from the gas mass balance: the main phase, the end-burning
// grain's own phase, and the tail-off after burn-out. Builds the time series.

#include <string>

#include "ballistics/stage.h"
#include "model/motor_model.h"

namespace tarvo {

inline constexpr std::string_view kOutOfTableMessage =
    "Давление в двигателе [вкладка 2] вышло за пределы известных характеристик топлива.";

// Phase-2 points from this index on are drawn; the ones before fall under the first tail-off.
inline constexpr int kFirstDrawnPhase2Point = 94;

struct PressureResult {
    ChartSeries pressure;  // (time, absolute pressure in MPa), ascending time
    double timeAxisMax = 0.0;
    double pressureAxisMax = 0.0;
    std::string message;  // status text when the stage failed
};

// "Не число в таблице скорости горения KN/SB [вкладка 5]".
std::string NonNumericTableMessage(int Ftype);

// Time step of a tail-off: the decay from Pe towards Pf + 0.0002 Pm spread over 46 steps.
double TailOffStep(const MotorModel& model, double Pm, double Pe, double AtSI, double Pf);

// Sets model.flags.Pressure on success; replaces model.timeSeries only on success.
PressureResult SimulatePressure(MotorModel& model, const BurnRateTable& table);

}  // namespace tarvo
