// The figures of a curve whose impulse and 5 % points are known by hand, and the difference.

#include "stand/comparison.h"

#include <gtest/gtest.h>

#include "stand_test_support.h"

namespace tarvo {
namespace {

using testing::Trapezoid;

TEST(Comparison, FiguresOfAKnownCurve) {
    // 1 s at 100 N and two 10 ms ramps: 101 N s; between the 5 % points 1,019 s holding
    // 101 - 2 * (5 N * 0,5 ms / 2) = 100,9975 N s.
    for (const double step : {0.0001, 0.001}) {
        const MeasuredCurveResult result =
            PrepareMeasuredCurve(Trapezoid(0.3, 100, 20, step, 0.0, 2.0));
        ASSERT_TRUE(result.curve);
        const double weight = 0.1 * 9.807;
        const CurveFigures f = MeasuredFigures(*result.curve, weight);
        EXPECT_NEAR(f.It, 101.0, 1e-6) << step;
        EXPECT_NEAR(f.span, 1.019, 1e-6) << step;
        EXPECT_NEAR(f.Favg, 100.9975 / 1.019, 1e-6) << step;
        EXPECT_NEAR(f.Fmax, 100.0, 1e-9) << step;
        EXPECT_NEAR(f.Isp, 101.0 / weight, 1e-5) << step;
        EXPECT_FALSE(f.Pmax);
    }
    EXPECT_NEAR(*DifferencePercent(200, 210), 5.0, 1e-12);
    EXPECT_FALSE(DifferencePercent(0, 1));
}

}  // namespace
}  // namespace tarvo
