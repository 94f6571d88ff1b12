#include "ballistics/exit_mach.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "model/number_text.h"

namespace tarvo {
namespace {

// The walk as it was first written: the residual formatted with three decimals and read back.
double ThroughText(double residual) {
    return ParseNumber(FormatFixed(residual, 3)).value_or(residual);
}

TEST(ExitMachNumber, ReadsResidualsAsTheirThreeDecimalTexts) {
    std::vector<double> residuals = {0.0,   -0.0, 1e-300, -1e-300,  10,       -10,
                                     123.4, -0.3, NAN,    INFINITY, -INFINITY};
    for (const double edge : {0.0005, 9.9995, 0.0015, 9.9985}) {
        for (const double sign : {1.0, -1.0}) {
            double x = sign * edge;
            for (int i = 0; i < 3; ++i) {
                x = std::nextafter(x, 0.0);
            }
            for (int i = 0; i < 7; ++i, x = std::nextafter(x, sign * INFINITY)) {
                residuals.push_back(x);
            }
        }
    }
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> spread(-12, 12);
    for (int i = 0; i < 20000; ++i) {
        residuals.push_back(spread(random));
    }
    for (const double r : residuals) {
        const double text = ThroughText(r);
        EXPECT_EQ(ResidualRoundsNegative(r), text < 0) << r;
        EXPECT_EQ(ResidualRoundsNearTarget(r), std::fabs(text) < 10) << r;
    }
}

TEST(ExitMachNumber, FastSearchVisitsTheSameMachNumbersAsTheWalk) {
    std::vector<double> ratios = {1 - 0x1p-52, 1, 1.0004, 1.2, 1.5, 2, 3.3, 5, 8, 10, 16.7, 25, 30};
    std::mt19937_64 random(2026);
    std::uniform_real_distribution<double> spread(0.9, 40);
    for (int i = 0; i < 200; ++i) {
        ratios.push_back(spread(random));
    }
    for (const double kappa : {1.1308, 1.1361, 1.133, 1.2, 1.4, 1.0001}) {
        for (const double ratio : ratios) {
            ASSERT_EQ(ExitMachNumber(ratio, kappa), ExitMachNumberStepwise(ratio, kappa))
                << "ratio " << ratio << ", kappa " << kappa;
        }
    }
}

// The supersonic root of A/A* = (1/M) ((1 + (k-1)/2 M^2) / ((k+1)/2))^((k+1)/(2(k-1))),
// found by bisection.
double SupersonicRoot(double ratio, double k) {
    const auto areaRatio = [k](double M) {
        return (1 / M) *
               std::pow((1 + (k - 1) / 2 * M * M) / ((k + 1) / 2), (k + 1) / (2 * (k - 1)));
    };
    double low = 1;
    double high = 50;
    for (int i = 0; i < 200; ++i) {
        const double middle = (low + high) / 2;
        (areaRatio(middle) < ratio ? low : high) = middle;
    }
    return low;
}

// The exit Mach number solves the area relation for the supersonic branch to within the
// walk's resolution.
TEST(ExitMachNumber, SolvesTheIsentropicAreaRelation) {
    for (const double kappa : {1.1308, 1.1361, 1.2}) {
        for (const double ratio : {1.5, 4.0, 8.0, 16.7, 30.0}) {
            EXPECT_NEAR(ExitMachNumber(ratio, kappa), SupersonicRoot(ratio, kappa), 0.001)
                << ratio << ", " << kappa;
        }
    }
    const double kappa = 1.1308;
    for (const double ratio : {1.5, 4.0, 12.0, 30.0}) {
        const double M = ExitMachNumber(ratio, kappa);
        // The point that ended the walk has an area ratio at most 0.0005 above the target; the
        // one before it was further above and the walk went on.
        EXPECT_LE(IsentropicAreaRatio(M + 0.0001, kappa), ratio + 0.0005 + 1e-9) << ratio;
        EXPECT_GT(IsentropicAreaRatio(M + 0.0002, kappa), ratio + 0.0005 - 1e-9) << ratio;
    }
}

TEST(ExitMachNumber, SonicEdgeCases) {
    const double kappa = 1.1308;
    const double unity = ExitMachNumber(1, kappa);
    EXPECT_NEAR(unity, 1.02, 0.01);  // the first Mach number whose residual rounds to zero
    EXPECT_EQ(ExitMachNumber(1 - 0x1p-52, kappa), unity);
    for (const double below : {0.999, 0.9, 0.5, 0.0, -3.0}) {
        EXPECT_EQ(ExitMachNumber(below, kappa), 1) << below;  // no supersonic solution
    }
    // An infinite area ratio at Mach 100 (kappa barely above 1) is walked past.
    EXPECT_GT(ExitMachNumber(5, 1 + 1e-9), 1);
}

}  // namespace
}  // namespace tarvo
