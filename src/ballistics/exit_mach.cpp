#include "ballistics/exit_mach.h"

#include <cmath>
#include <cstddef>
#include <vector>

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

// The Mach numbers the coarse part of the walk can visit: 100, then each one 0.1 below the one
// before, computed as the walk computes them, down to the first below Mach 1.
const std::vector<double>& CoarseMachNumbers() {
    static const std::vector<double> numbers = [] {
        std::vector<double> visited{kStartMach};
        while (visited.back() >= kSonic) {
            visited.push_back(visited.back() - kCoarseStep);
        }
        return visited;
    }();
    return numbers;
}

bool GoesOnCoarsely(double areaRatio, double M, double kappa) {
    const Step step = Classify(areaRatio, M, kappa);
    return step.goOn && step.length == kCoarseStep;
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
// on come first, and those that go on coarsely come before them all. The coarse part is
// found by bisection over the Mach numbers it would visit; the long fine part is probed every
// kStride steps and only the last stride is walked point by point. M itself is always
// decremented one step at a time, so the Mach numbers visited are exactly the walk's.
double ExitMachNumber(double areaRatio, double kappa) {
    const std::vector<double>& coarse = CoarseMachNumbers();
    // Every coarse Mach number before `first` goes on; the last one, below Mach 1, is never
    // classified: the walk ends there at Mach 1.
    std::size_t first = 0;
    std::size_t end = coarse.size() - 1;
    while (first < end) {
        const std::size_t middle = first + (end - first) / 2;
        if (GoesOnCoarsely(areaRatio, coarse[middle], kappa)) {
            first = middle + 1;
        } else {
            end = middle;
        }
    }
    if (first == coarse.size() - 1) {
        return kSonic;
    }
    double M = coarse[first];
    if (Classify(areaRatio, M, kappa).length != kFineStep) {
        return SonicIfSubsonic(coarse[first + 1]);  // the walk stops on a coarse step
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
