#include "ballistics/kn_curve.h"

#include <gtest/gtest.h>

#include <numbers>

#include "ballistics/geometry.h"
#include "test_motors.h"

namespace tarvo {
namespace {

using test::WorkedExampleMotor;

KnCurveResult RunKn(MotorModel& m) {
    const GeometryResult geometry = ComputeGeometry(m);
    EXPECT_TRUE(geometry.ok) << geometry.message;
    return ComputeKnCurve(m);
}

TEST(ComputeKnCurve, StepReachesTheFirstBurnOutInFiftySteps) {
    struct Case {
        const char* what;
        int Os, Cs, Es;
        double Lo;
        double step;
    };
    const Case cases[] = {
        {"both cylinders: quarter of the web thickness", 1, 1, 1, 60, 0.1},
        {"core only: half of the web thickness", 0, 1, 1, 60, 0.2},
        {"ends burning, short grain: half the length", 0, 1, 1, 12, 0.12},
        {"ends inhibited, short grain: the whole length", 0, 1, 0, 8, 0.16},
        {"tie between radial and axial takes the radial", 0, 1, 1, 20, 0.2},
    };
    for (const Case& c : cases) {
        MotorModel m = WorkedExampleMotor();
        m.Os = c.Os;
        m.Cs = c.Cs;
        m.Es = c.Es;
        m.Lo = c.Lo;
        const KnCurveResult result = RunKn(m);
        EXPECT_TRUE(m.flags.Kn) << c.what << ": " << result.message;
        EXPECT_DOUBLE_EQ(m.KnStep, c.step) << c.what;
        EXPECT_NEAR(m.WebTotal, 50 * c.step, 1e-12) << c.what;
        EXPECT_EQ(result.kn.size(), 50u) << c.what;
        EXPECT_EQ(result.web.size(), 51u) << c.what;
    }
}

TEST(ComputeKnCurve, StartsAtKnoAndSummarisesTheCurve) {
    MotorModel m = WorkedExampleMotor();
    const KnCurveResult result = RunKn(m);
    ASSERT_TRUE(m.flags.Kn) << result.message;
    EXPECT_NEAR(result.kn.front().y, m.Kno, 1e-9);  // no erosion yet at the first point
    double sum = 0;
    double largest = 0;
    for (const ChartPoint& point : result.kn) {
        sum += point.y;
        largest = std::max(largest, point.y);
    }
    EXPECT_DOUBLE_EQ(m.KnAvg, sum / 50);
    EXPECT_DOUBLE_EQ(m.KnMax, largest);
    EXPECT_DOUBLE_EQ(result.knAxisMax, m.KnMax + 0.11 * m.KnMax);
    EXPECT_DOUBLE_EQ(result.web.front().y, 10);
    EXPECT_NEAR(result.web.back().y, 0, 1e-9);
    EXPECT_EQ(m.KnEnd, 0);  // no end-burning grain
}

TEST(ComputeKnCurve, EndBurnerAloneHasConstantKn) {
    MotorModel m = WorkedExampleMotor();
    m.grainKind = kEndBurnerOnly;
    m.Lto = 40;
    m.Dto = 28;
    const KnCurveResult result = RunKn(m);
    ASSERT_TRUE(m.flags.Kn) << result.message;
    EXPECT_DOUBLE_EQ(m.KnStep, 40.0 / 50);
    ASSERT_EQ(result.kn.size(), 50u);  // no tail phase
    for (const ChartPoint& point : result.kn) {
        EXPECT_NEAR(point.y, m.Kno, 1e-9);
    }
    EXPECT_DOUBLE_EQ(result.web.front().y, 20);  // half the remaining length
    EXPECT_DOUBLE_EQ(m.KnEnd, m.KnAvg);
}

TEST(ComputeKnCurve, LongEndBurnerAddsATailAfterTheCores) {
    MotorModel m = WorkedExampleMotor();
    m.grainKind = kCoredAndEndBurner;
    m.Lto = 30;
    m.Dto = 30;
    const KnCurveResult result = RunKn(m);
    ASSERT_TRUE(m.flags.Kn) << result.message;
    ASSERT_EQ(result.kn.size(), 100u);
    const double tailKn = m.Abtr / (m.Dt * m.Dt * std::numbers::pi / 4);
    for (std::size_t i = 50; i < 100; ++i) {
        EXPECT_GE(result.kn[i].x, m.WebTotal);
        EXPECT_NEAR(result.kn[i].y, tailKn, 1e-9);
    }
    EXPECT_NEAR(m.KnEnd, tailKn, 1e-9);
    EXPECT_NEAR(m.KnStep, (30 - 5) / 50.0, 1e-12);  // ends holding the tail step
    EXPECT_NEAR(result.regressionAxisMax, 1.1 * result.kn.back().x, 1e-9);
}

TEST(ComputeKnCurve, ShortEndBurnerStopsContributingWhenUsedUp) {
    MotorModel m = WorkedExampleMotor();
    m.grainKind = kCoredAndEndBurner;
    m.Lto = 2;
    m.Dto = 30;
    const KnCurveResult result = RunKn(m);
    ASSERT_TRUE(m.flags.Kn) << result.message;
    EXPECT_EQ(result.kn.size(), 50u);
    MotorModel withoutTracer = WorkedExampleMotor();
    const KnCurveResult plain = RunKn(withoutTracer);
    // Before x = 2 the tracer area adds to the cores' area, after it nothing.
    EXPECT_GT(result.kn[10].y, plain.kn[10].y);
    EXPECT_LT(result.kn[30].y, plain.kn[30].y);  // only the wider throat of the heavier motor
}

TEST(ComputeKnCurve, NegativeKnFailsTheStage) {
    MotorModel m = WorkedExampleMotor();
    m.Do = -10;
    m.do_ = -30;
    m.Kno = -50;
    m.Vc = 1e9;
    const KnCurveResult result = RunKn(m);
    EXPECT_FALSE(m.flags.Kn);
    EXPECT_EQ(result.message,
              "Неверные параметры топливного заряда [вкладка 1] - Kn отрицательный");
}

}  // namespace
}  // namespace tarvo
