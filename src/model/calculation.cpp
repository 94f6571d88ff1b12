#include "model/calculation.h"

#include <new>

namespace tarvo {

GrainKind DecideGrainKind(bool coredGrains, bool endBurningGrain) {
    if (coredGrains && endBurningGrain) {
        return kCoredAndEndBurner;
    }
    if (coredGrains) {
        return kCoredOnly;
    }
    return endBurningGrain ? kEndBurnerOnly : kNothing;
}

void RunStages(MotorModel& model, const BurnRateTable& table, CalculationResult& result) {
    result.kn = ComputeKnCurve(model);
    result.knSucceeded = model.flags.Kn;
    if (!model.flags.Kn) {
        result.status = result.kn->message;
        return;
    }
    result.pressure = SimulatePressure(model, table);
    result.pressureSucceeded = model.flags.Pressure;
    if (!model.flags.Pressure) {
        result.status = result.pressure->message;
        return;
    }
    result.thrust = ComputeThrust(model);
    if (model.flags.Pressure && model.ThrustPassFlag) {
        result.thrust = ComputeThrust(model);
    }
    if (!model.flags.Thrust) {
        result.status = result.thrust->message;
    }
}

namespace {

CalculationResult RunChain(MotorModel& model, const BurnRateTable& table,
                           double universalGasConstant) {
    CalculationResult result;
    model.flags = {};
    if (model.grainKind == kNothing) {
        result.status = kNothingToCalculateMessage;
        return result;
    }
    result.geometry = ComputeGeometry(model, universalGasConstant);
    if (result.geometry.ok) {
        RunStages(model, table, result);
        result.succeeded = model.flags.Kn && model.flags.Pressure && model.flags.Thrust;
    } else {
        result.status = result.geometry.message;
    }
    if (result.succeeded) {
        result.status = kSuccessMessage;
    }
    model.flags = {};
    model.grainKind = kNothing;
    return result;
}

}  // namespace

CalculationResult RunCalculation(MotorModel& model, const BurnRateTable& table,
                                 double universalGasConstant) {
    try {
        return RunChain(model, table, universalGasConstant);
    } catch (const std::bad_alloc&) {
        FailOutOfMemory();
    }
}

}  // namespace tarvo
