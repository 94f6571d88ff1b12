#include "ballistics/exit_mach.h"

#include <cmath>

namespace tarvo {
namespace {

constexpr double kStartMach = 100;
constexpr double kCoarseStep = 0.1;
constexpr double kFineStep = 0.0001;
constexpr double kSonic = 1;

// The walk decides on the residual rounded to three decimals. Rounding to three decimals
// (correctly rounded, halves to even) gives a negative number exactly when the residual lies
// below -0.0005, and a magnitude below 10 exactly when the magnitude lies below 9.9995. Neither
// bound is a double, so no residual ties with it; and the double nearest to each lies just below
// it, so "below the bound" is "at or below that double".
constexpr double kNegativeBound = -0.0005;
constexpr double kNearBound = 9.9995;

struct Step {
    bool goOn;      // the rounded residual is negative
    double length;  // the step the walk takes from here
};

Step Classify(double areaRatio, double M, double kappa) {
    const double residual = areaRatio - IsentropicAreaRatio(M, kappa);
    return {ResidualRoundsNegative(residual),
            ResidualRoundsNearTarget(residual) ? kFineStep : kCoarseStep};
}

double SonicIfSubsonic(double M) {
    return M < kSonic ? kSonic : M;
}

}  // namespace

// Minus zero counts as zero.
bool ResidualRoundsNegative(double residual) {
    return residual <= kNegativeBound;
}

bool ResidualRoundsNearTarget(double residual) {
    return std::fabs(residual) <= kNearBound;
}

double IsentropicAreaRatio(double M, double kappa) {
    const double half = (kappa - 1) / 2;
    const double base = (1 + half * M * M) / (1 + half);
    return (1 / M) * std::pow(base, (kappa + 1) / (2 * (kappa - 1)));
}

double ExitMachNumberStepwise(double areaRatio, double kappa) {
    double M = kStartMach;
    while (true) {
        const Step step = Classify(areaRatio, M, kappa);
        M = M - step.length;
        if (!step.goOn) {
            return SonicIfSubsonic(M);
        }
        if (M < kSonic) {
            return kSonic;  // below sonic the walk can only end below Mach 1
        }
    }
}

// Along the walk the area ratio falls with M, so the residual only grows: the steps that go
// on come first. The coarse part is walked point by point; the long fine part is probed every
// kStride steps and only the last stride is walked point by point. M itself is always
// decremented one step at a time, so the Mach numbers visited are exactly the walk's.
double ExitMachNumber(double areaRatio, double kappa) {
    double M = kStartMach;
    while (true) {
        const Step step = Classify(areaRatio, M, kappa);
        if (step.length == kFineStep) {
            break;
        }
        M = M - step.length;
        if (!step.goOn) {
            return SonicIfSubsonic(M);
        }
        if (M < kSonic) {
            return kSonic;
        }
    }
    constexpr int kStride = 64;
    while (true) {
        double probe = M;
        for (int j = 0; j < kStride; ++j) {
            probe = probe - kFineStep;
        }
        const Step ahead = Classify(areaRatio, probe, kappa);
        if (!ahead.goOn || ahead.length != kFineStep || probe < kSonic) {
            break;  // the walk ends within the next stride
        }
        M = probe;
    }
    while (true) {
        const Step step = Classify(areaRatio, M, kappa);
        M = M - step.length;
        if (!step.goOn) {
            return SonicIfSubsonic(M);
        }
        if (M < kSonic) {
            return kSonic;
        }
    }
}

}  // namespace tarvo
