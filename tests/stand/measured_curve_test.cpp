// The stand's zero, the ignition and the end of burn, and the logs that hold no firing.

#include "stand/measured_curve.h"

#include <gtest/gtest.h>

#include "stand_test_support.h"

namespace tarvo {
namespace {

using testing::Trapezoid;

TEST(MeasuredCurve, FindsTheZeroTheIgnitionAndTheEndOfBurn) {
    struct Case {
        const char* name;
        StandSamples samples;
        double zero;
    };
    Case cases[] = {
        {"clean", Trapezoid(0.2, 100, 0, 0.0001), 0},
        {"baseline", Trapezoid(0.2, 100, 15, 0.0001), 15},
        {"baseline below zero", Trapezoid(0.2, 100, -7, 0.0001), -7},
        {"spike before the firing", Trapezoid(0.2, 100, 15, 0.0001), 15},
        {"no samples before ignition", Trapezoid(0.0, 100, 0, 0.0001, 0.005), 0},
    };
    cases[3].samples.thrust[1000] = 80;  // 0,1 s: one sample far above the threshold
    for (Case& c : cases) {
        const MeasuredCurveResult result = PrepareMeasuredCurve(std::move(c.samples));
        ASSERT_TRUE(result.curve) << c.name;
        const MeasuredCurve& curve = *result.curve;
        EXPECT_NEAR(curve.standZero, c.zero, 1e-9) << c.name;
        // The 5 % points lie 0,5 ms into the rise and 9,5 ms into the fall.
        EXPECT_NEAR(curve.burn.end,
                    c.name == std::string("no samples before ignition") ? 1.02 - 0.0005 - 0.005
                                                                        : 0.2 + 1.0195 - 0.2005,
                    1e-6)
            << c.name;
        EXPECT_EQ(curve.burn.ignition, 0.0) << c.name;
        for (std::size_t i = 0; i < curve.samples.time.size(); ++i) {
            EXPECT_GE(curve.samples.thrust[i], 0.0) << c.name;
        }
    }
}

TEST(MeasuredCurve, RefusesALogWithoutAFiring) {
    StandSamples flat = Trapezoid(5.0, 100, 12, 0.001, 0.0, 1.0);
    StandSamples spikes = flat;
    spikes.thrust[300] = spikes.thrust[301] = 200;  // two samples: too few for a firing
    StandSamples brief = Trapezoid(5.0, 100, 0, 0.002, 0.0, 1.0);
    for (int i = 200; i < 203; ++i) {
        brief.thrust[i] = 100;  // three samples over 4 ms: too short
    }
    for (StandSamples* samples : {&flat, &spikes, &brief}) {
        const MeasuredCurveResult result = PrepareMeasuredCurve(*samples);
        ASSERT_FALSE(result.curve);
        EXPECT_TRUE(result.error->reason.starts_with("не найдено горение"));
    }
}

TEST(MeasuredCurve, ReadsAFileAndNamesItInItsMessages) {
    const MeasuredCurveResult read = ReadMeasuredCurve("t;F\n0;0\n0,1;abc\n");
    ASSERT_TRUE(read.error);
    EXPECT_EQ(DescribeStandLogError(*read.error), "строка 3: «abc» не число");
    const LoadedCurve missing = LoadMeasuredCurve("/nonexistent/test.csv");
    EXPECT_EQ(missing.message, "Файл испытания /nonexistent/test.csv не найден");
}

}  // namespace
}  // namespace tarvo
