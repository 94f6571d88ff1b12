#include "model/motor_model.h"

#include <utility>

namespace tarvo {

void ResetModel(MotorModel& model) {
    MotorModel fresh;
    fresh.grainKind = model.grainKind;
    fresh.flags = model.flags;
    fresh.ThrustPassFlag = model.ThrustPassFlag;
    fresh.Ftype = model.Ftype;
    fresh.N = model.N;
    fresh.Os = model.Os;
    fresh.Cs = model.Cs;
    fresh.Es = model.Es;
    fresh.Abtr = model.Abtr;
    fresh.RadialSurfaces = model.RadialSurfaces;
    fresh.PointCount = model.PointCount;
    fresh.timeSeries = std::move(model.timeSeries);
    model = std::move(fresh);
}

double SpecificImpulse(const MotorModel& model) {
    constexpr double kStandardGravity = 9.807;
    return model.It / kStandardGravity / model.m;
}

}  // namespace tarvo
