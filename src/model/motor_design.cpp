#include "model/motor_design.h"

#include <numbers>

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

double ChamberVolume(double Dc, double Lc) {
    return Dc * Dc * (std::numbers::pi / 4) * Lc;
}

}  // namespace tarvo
