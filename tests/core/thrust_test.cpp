#include "ballistics/thrust.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "ballistics/exit_mach.h"
#include "ballistics/motor_class.h"
#include "model/calculation.h"
#include "model/propellants.h"
#include "test_motors.h"

namespace tarvo {
namespace {

using test::WorkedExampleMotor;

CalculationResult Calculate(MotorModel& m) {
    return RunCalculation(m, DefaultBurnRateTable(m.Ftype));
}

TEST(ExitMachNumber, FastSearchVisitsTheSameMachNumbersAsTheWalk) {
    const double ratios[] = {1 - 0x1p-52, 1, 1.0004, 1.2, 1.5, 2, 3.3, 5, 8, 10, 16.7, 25, 30};
    const double kappas[] = {1.1308, 1.1361, 1.133, 1.2, 1.4, 1.0001};
    for (const double kappa : kappas) {
        for (const double ratio : ratios) {
            EXPECT_EQ(ExitMachNumber(ratio, kappa), ExitMachNumberStepwise(ratio, kappa))
                << "ratio " << ratio << ", kappa " << kappa;
        }
    }
}

TEST(ExitMachNumber, FastSearchMatchesTheWalkOnRandomRatios) {
    std::mt19937_64 random(2026);
    std::uniform_real_distribution<double> ratio(0.9, 40);
    std::uniform_real_distribution<double> kappa(1.01, 1.4);
    for (int i = 0; i < 300; ++i) {
        const double r = ratio(random);
        const double k = kappa(random);
        ASSERT_EQ(ExitMachNumber(r, k), ExitMachNumberStepwise(r, k)) << r << ", " << k;
    }
}

TEST(ExitMachNumber, EndsOneStepBelowTheFirstMachNumberWithinHalfAThousandth) {
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

TEST(MotorClassFor, LowerLimitExcludedUpperIncluded) {
    const std::pair<double, const char*> cases[] = {
        {0, "--"}, {-5, "--"}, {1.0, "x"}, {1.26, "x"},   {1.3, "A"},       {2.5, "A"}, {2.51, "B"},
        {5, "B"},  {30, "E"},  {640, "I"}, {163840, "Q"}, {163840.01, "X"}, {1e9, "X"},
    };
    for (const auto& [It, letter] : cases) {
        EXPECT_EQ(MotorClassFor(It), letter) << It;
    }
}

TEST(ComputeThrust, CurveStartsAndEndsAtZeroAndIntegratesOverTheThrustTime) {
    MotorModel m = ExampleCoredMotor();
    const CalculationResult result = Calculate(m);
    ASSERT_TRUE(result.succeeded) << result.status;
    const ThrustResult& thrust = *result.thrust;
    const TimeSeries& s = m.timeSeries;
    EXPECT_EQ(s[0].thrust, 0);
    EXPECT_EQ(s[882].thrust, 0);
    EXPECT_EQ(s[882].time, s[881].time + m.TailStep);
    ASSERT_EQ(thrust.thrust.size(), 882u);  // point 0 is not drawn
    EXPECT_EQ(thrust.thrust.front().x, s[1].time);
    double It = 0;
    int counted = 0;
    for (int i = 1; i <= 882; ++i) {
        if (s[i].time <= m.ThrustTime) {
            It += (s[i - 1].thrust + s[i].thrust) / 2 * (s[i].time - s[i - 1].time);
            ++counted;
        }
    }
    EXPECT_EQ(counted, 881);
    EXPECT_DOUBLE_EQ(m.It, It);
    EXPECT_DOUBLE_EQ(m.Favg, m.It / m.ThrustTime);
    EXPECT_DOUBLE_EQ(thrust.Isp, m.It / 9.807 / m.m);
    EXPECT_GE(m.CfMax, m.unoz);
    EXPECT_GE(m.AeAtOpt, 1);
    EXPECT_DOUBLE_EQ(thrust.thrustAxisMax, m.Fmax + 0.1 * m.Fmax);
}

TEST(ComputeThrust, ResultRowsAreTheFixedPointsOfTheSeries) {
    MotorModel m = ExampleCoredMotor();
    const CalculationResult result = Calculate(m);
    ASSERT_TRUE(result.succeeded) << result.status;
    const ThrustResult& thrust = *result.thrust;
    ASSERT_TRUE(thrust.summaryFilled);
    ASSERT_EQ(thrust.rows.size(), 23u);
    ASSERT_EQ(thrust.summary.size(), 23u);
    for (std::size_t r = 0; r < 23; ++r) {
        const TimePoint& point = m.timeSeries[ResultRows[r]];
        EXPECT_EQ(thrust.rows[r].time, point.time);
        EXPECT_EQ(thrust.rows[r].thrust, point.thrust);
    }
    EXPECT_EQ(thrust.rows.front().thrust, 0);
    EXPECT_EQ(thrust.rows.back().thrust, 0);
    EXPECT_EQ(thrust.rows.back().point, 882);
}

TEST(ComputeThrust, ErosionLowersTheFinalExitMachNumber) {
    const struct {
        double e, AeAt;
        bool sameMach;
    } cases[] = {{0, 8, true}, {0.5, 8, false}, {0, 1, true}};
    for (const auto& c : cases) {
        MotorModel m = ExampleCoredMotor();
        m.e = c.e;
        m.AeAt = c.AeAt;
        const CalculationResult result = Calculate(m);
        ASSERT_TRUE(result.succeeded) << result.status;
        if (c.sameMach) {
            EXPECT_EQ(m.Mef, m.Meo) << c.e;
        } else {
            EXPECT_LT(m.Mef, m.Meo) << c.e;
        }
    }
    MotorModel wideThroat = ExampleCoredMotor();
    wideThroat.AeAt = 1;
    wideThroat.e = 1;  // the throat erodes wider than the exit
    ASSERT_TRUE(Calculate(wideThroat).succeeded);
    EXPECT_EQ(wideThroat.Mef, 1);
    EXPECT_NEAR(wideThroat.Meo, 1.02, 0.01);
}

TEST(ComputeThrust, OverExpandedNozzleNeverPullsBackwards) {
    MotorModel m = ExampleCoredMotor();
    m.AeAt = 30;
    m.Patm = 0.111;
    const CalculationResult result = Calculate(m);
    ASSERT_TRUE(result.succeeded) << result.status;
    for (const TimePoint& point : m.timeSeries) {
        EXPECT_GE(point.exitPressure, m.Patm * 1e6);
        EXPECT_GE(point.thrust, 0);
    }
}

TEST(ComputeThrust, RatiosOfSpecificHeatsBarelyAboveOneStayFinite) {
    MotorModel m = ExampleCoredMotor();
    m.k = 1 + 1e-7;
    m.k2ph = 1 + 1e-7;
    const CalculationResult result = Calculate(m);
    ASSERT_TRUE(result.succeeded) << result.status;
    EXPECT_TRUE(std::isfinite(m.Meo));
    EXPECT_GT(m.It, 0);
}

TEST(ComputeThrust, EndBurnerAloneHasNoWebFraction) {
    MotorModel m = ExampleEndBurner();
    const CalculationResult result = Calculate(m);
    ASSERT_TRUE(result.succeeded) << result.status;
    EXPECT_EQ(m.wf, 0);
}

TEST(ComputeThrust, PointsAfterTheThrustTimeCountOnlyForTheMaximum) {
    MotorModel m = ExampleMotorWithEndBurner();
    const CalculationResult result = Calculate(m);
    ASSERT_TRUE(result.succeeded) << result.status;
    double It = 0;
    double Fmax = 0;
    for (int i = 1; i <= 882; ++i) {
        const TimePoint& point = m.timeSeries[i];
        Fmax = std::max(Fmax, point.thrust);
        if (point.time <= m.ThrustTime) {
            It += point.impulse;
        }
    }
    EXPECT_DOUBLE_EQ(m.It, It);
    EXPECT_DOUBLE_EQ(m.Fmax, Fmax);
    EXPECT_GT(m.timeSeries[881].time, m.ThrustTime);
}

TEST(ComputeThrust, ThrustTimeShorterThanTheFirstStepFailsClearly) {
    MotorModel m = ExampleCoredMotor();
    ASSERT_TRUE(Calculate(m).succeeded);
    m.grainKind = kCoredOnly;
    m.ThrustTime = m.timeSeries[1].time / 2;
    const ThrustResult first = ComputeThrust(m);
    EXPECT_FALSE(m.flags.Thrust);
    EXPECT_FALSE(first.message.empty());
    EXPECT_FALSE(m.ThrustPassFlag);  // the next calculation starts with a first pass again
}

}  // namespace
}  // namespace tarvo
