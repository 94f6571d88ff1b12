#include "ballistics/pressure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "ballistics/geometry.h"
#include "ballistics/kn_curve.h"
#include "model/propellants.h"
#include "test_motors.h"

namespace tarvo {
namespace {

using test::WorkedExampleMotor;
constexpr double kQuarterPi = std::numbers::pi / 4;

PressureResult RunPressure(MotorModel& m, const BurnRateTable& table) {
    const GeometryResult geometry = ComputeGeometry(m);
    EXPECT_TRUE(geometry.ok) << geometry.message;
    const KnCurveResult kn = ComputeKnCurve(m);
    EXPECT_TRUE(m.flags.Kn) << kn.message;
    return SimulatePressure(m, table);
}

PressureResult RunPressure(MotorModel& m) {
    return RunPressure(m, DefaultBurnRateTable(m.Ftype));
}

// A table whose rate is exactly `a` at every pressure: exp(1e-300 ln P) is 1.
BurnRateTable ConstantRateTable(double a) {
    BurnRateTable table;
    table.ranges[0] = {0.01, 100, a, 1e-300};
    return table;
}

double PropellantVolume(const MotorModel& m, double step) {
    const double d = m.do_ + 2 * m.Cs * step;
    const double D = m.Do - 2 * m.Os * step;
    const double L = m.Lg - 2.0 * m.Es * m.N * step;
    return kQuarterPi * (D * D - d * d) * L;
}

TEST(SimulatePressure, StartsAtAmbientAndFillsTheChamberFirst) {
    MotorModel m = WorkedExampleMotor();
    const PressureResult result = RunPressure(m);
    ASSERT_TRUE(m.flags.Pressure) << result.message;
    const TimeSeries& series = m.timeSeries;
    EXPECT_DOUBLE_EQ(series[0].pressurePa, m.Patm * 1e6);
    EXPECT_EQ(series[0].time, 0);
    // No nozzle flow yet at point 1: all gas of the first step stays in the chamber.
    const double m0 = m.p * PropellantVolume(m, 0) / 1e6;
    const double Vp1 = PropellantVolume(m, m.SimStep);
    const double m1 = m.p * Vp1 / 1e6;
    const double Vf1 = m.Vc / 1e9 - Vp1 / 1e9;
    const double expected = m.Patm + (m0 - m1) / Vf1 * m.R * m.ToAct / 1e6;
    EXPECT_NEAR(series[1].pressurePa / 1e6, expected, 1e-9 * expected);
    EXPECT_EQ(result.pressure.front().x, 0);
    EXPECT_DOUBLE_EQ(result.pressure.front().y, m.Patm);
}

TEST(SimulatePressure, MeanStepRateDividesTheSumOfAllPointsBy834) {
    MotorModel m = WorkedExampleMotor();
    const PressureResult result = RunPressure(m, ConstantRateTable(5));
    ASSERT_TRUE(m.flags.Pressure) << result.message;
    EXPECT_DOUBLE_EQ(m.StepRateMean, 835.0 * 5 / 834);
    EXPECT_NEAR(m.BurnTime, 834 * m.SimStep / 5, 1e-12);
    EXPECT_NEAR(m.AvgBurnRate, m.WebTotal / m.BurnTime, 1e-12);
}

TEST(SimulatePressure, ThroatWidensWithTheBurntWebOnly) {
    const struct {
        double e;
        double lastThroatDiameter;  // relative to Dt
    } cases[] = {{0, 0}, {1, 1}, {2.5, 2.5}};
    for (const auto& c : cases) {
        MotorModel m = WorkedExampleMotor();
        m.e = c.e;
        const PressureResult result = RunPressure(m);
        ASSERT_TRUE(m.flags.Pressure) << result.message;
        const double initial = kQuarterPi * (m.Dt * m.Dt);
        const double eroded = m.Dt + c.lastThroatDiameter;
        EXPECT_NEAR(m.timeSeries[0].throatArea, initial, 1e-9);
        EXPECT_NEAR(m.timeSeries[834].throatArea, kQuarterPi * eroded * eroded, 1e-9) << c.e;
        EXPECT_NEAR(m.AtEnd, kQuarterPi * eroded * eroded, 1e-9);
        EXPECT_DOUBLE_EQ(m.AtEndSI, m.AtEnd / 1e6);
        for (int i = 835; i < 882; ++i) {
            EXPECT_EQ(m.timeSeries[i].throatArea, m.AtEnd);
        }
    }
}

TEST(SimulatePressure, StepFollowsTheFirstBurnOut) {
    const struct {
        const char* what;
        int Os, Es;
        double Lo;
        double step;
    } cases[] = {
        {"two cylinders", 1, 1, 60, (30.0 - 10) / 3336},
        {"core only", 0, 1, 60, (30.0 - 10) / 1668},
        {"ends burning, short", 0, 1, 12, 12.0 / 1668},
        {"ends inhibited, shorter than the web", 1, 0, 4, 4.0 / 834},
    };
    for (const auto& c : cases) {
        MotorModel m = WorkedExampleMotor();
        m.Os = c.Os;
        m.Es = c.Es;
        m.Lo = c.Lo;
        const PressureResult result = RunPressure(m);
        ASSERT_TRUE(m.flags.Pressure) << c.what << ": " << result.message;
        EXPECT_DOUBLE_EQ(m.SimStep, c.step) << c.what;
    }
}

TEST(SimulatePressure, PortAreaMattersOnlyWithErosiveBurning) {
    MotorModel lowThreshold = WorkedExampleMotor();
    MotorModel highThreshold = WorkedExampleMotor();
    highThreshold.GStar = 90;
    RunPressure(lowThreshold);
    RunPressure(highThreshold);
    EXPECT_EQ(lowThreshold.Pmax, highThreshold.Pmax);
    EXPECT_EQ(lowThreshold.BurnTime, highThreshold.BurnTime);

    MotorModel erosive = WorkedExampleMotor();
    erosive.GStar = 90;
    erosive.kv = 0.1;
    RunPressure(erosive);
    EXPECT_LT(erosive.BurnTime, lowThreshold.BurnTime);
}

TEST(SimulatePressure, EndBurnerAloneKeepsItsThroatAndHasNoSecondPhase) {
    MotorModel m = ExampleEndBurner();
    const PressureResult result = RunPressure(m);
    ASSERT_TRUE(m.flags.Pressure) << result.message;
    EXPECT_DOUBLE_EQ(m.SimStep, m.Lto / 834);
    for (int i = 0; i <= 834; ++i) {
        EXPECT_EQ(m.timeSeries[i].throatArea, kQuarterPi * (m.Dt * m.Dt));
    }
    EXPECT_EQ(m.TracerEnd, 0);
    EXPECT_EQ(m.TracerPressure, 0);
    EXPECT_EQ(result.pressure.size(), 835u + 47u);
}

TEST(SimulatePressure, FailsOutsideThePropellantDataAndKeepsTheOldTimeSeries) {
    MotorModel m = WorkedExampleMotor();
    ASSERT_TRUE(RunPressure(m).message.empty());
    const TimeSeries previous = m.timeSeries;

    m.Patm = 0.091;  // below the first KN/DX range
    PressureResult result = RunPressure(m);
    EXPECT_FALSE(m.flags.Pressure);
    EXPECT_EQ(result.message, kOutOfTableMessage);
    ASSERT_EQ(m.timeSeries.size(), previous.size());
    EXPECT_EQ(m.timeSeries[500].pressurePa, previous[500].pressurePa);

    BurnRateTable table = DefaultBurnRateTable(1);
    table.nonNumericCell = true;
    m.Patm = 0.101;
    result = RunPressure(m, table);
    EXPECT_FALSE(m.flags.Pressure);
    EXPECT_EQ(result.message, "Не число в таблице скорости горения KN/DX [вкладка 5]");
}

TEST(SimulatePressure, TailOffDecaysToJustAboveAmbient) {
    MotorModel m = WorkedExampleMotor();
    const PressureResult result = RunPressure(m);
    ASSERT_TRUE(m.flags.Pressure) << result.message;
    const TimeSeries& s = m.timeSeries;
    const double largestBeforeTail = [&] {
        double largest = 0;
        for (int i = 0; i <= 834; ++i) {
            largest = std::max(largest, s[i].pressurePa / 1e6);
        }
        return largest;
    }();
    EXPECT_DOUBLE_EQ(m.TailStep, TailOffStep(m, largestBeforeTail, m.PEnd, m.AtEndSI, m.Patm));
    // The 46th point lands on the target two ten-thousandths of Pmax above ambient.
    EXPECT_NEAR(s[834 + 46].pressurePa / 1e6, m.Patm + 0.0002 * largestBeforeTail, 1e-9);
    EXPECT_NEAR(m.ThrustTime, m.BurnTime + 47 * m.TailStep, 1e-12);
    EXPECT_EQ(s[881].time, m.ThrustTime);
    for (int i = 835; i < 882; ++i) {
        EXPECT_GT(s[i].time, s[i - 1].time);
        EXPECT_LT(s[i].pressurePa, s[i - 1].pressurePa);
    }
    EXPECT_DOUBLE_EQ(m.Pmax, largestBeforeTail);
    EXPECT_DOUBLE_EQ(result.pressureAxisMax, 0.1 * m.Pmax + m.Pmax);
    EXPECT_DOUBLE_EQ(result.timeAxisMax, 0.1 * s[881].time + s[881].time);
}

TEST(TailOffStep, SpreadsTheDecayOverFortySixSteps) {
    MotorModel m;
    m.Vc = 1e5;  // mm^3
    m.cStar = 900;
    m.R = 200;
    m.ToAct = 1600;
    const double tau = (1e5 / 1e9) * 900 / (200 * 1600 * 1e-5);
    EXPECT_NEAR(TailOffStep(m, 5, 4, 1e-5, 0.1), tau * std::log(4 / (0.1 + 0.001)) / 46, 1e-15);
    // A burn-out pressure below the target gives a negative step.
    EXPECT_LT(TailOffStep(m, 5, 0.1005, 1e-5, 0.1), 0);
}

TEST(SimulatePressure, EndBurnerOutlastingTheCoresGetsItsOwnPhase) {
    MotorModel m = ExampleMotorWithEndBurner();
    const PressureResult result = RunPressure(m);
    ASSERT_TRUE(m.flags.Pressure) << result.message;
    const TimeSeries& s = m.timeSeries;
    ASSERT_GT(m.TracerEnd, m.BurnTime);
    EXPECT_LT(s[416].time, m.BurnTime);
    for (int j = 0; j < 47; ++j) {  // first tail-off, after the cores
        EXPECT_NEAR(s[417 + j].time, m.BurnTime + (j + 1) * m.TailStep, 1e-12);
        EXPECT_EQ(s[417 + j].throatArea, m.AtEnd);
    }
    for (int i = 465; i <= 834; ++i) {  // every second point of the end-burner's phase
        EXPECT_GT(s[i].time, s[i - 1].time);
        EXPECT_EQ(s[i].throatArea, kQuarterPi * (m.Dt * m.Dt));
    }
    EXPECT_DOUBLE_EQ(s[834].time, m.TracerEnd);
    for (int i = 835; i < 882; ++i) {  // second tail-off, after the end-burner
        EXPECT_GT(s[i].time, m.TracerEnd);
        EXPECT_EQ(s[i].throatArea, m.TracerAtEnd);
    }
    EXPECT_NEAR(m.TracerTailEnd, s[881].time, 1e-12);
    EXPECT_NEAR(m.TracerTailTime, m.TracerTailEnd - m.BurnTime, 1e-12);
    EXPECT_GT(m.TracerPressure, m.Patm);
    EXPECT_GE(m.TracerPmax, m.TracerPressure);
    EXPECT_NEAR(m.ThrustTime, m.BurnTime + 47 * m.TailStep, 1e-12);
    EXPECT_TRUE(std::is_sorted(result.pressure.begin(), result.pressure.end(),
                               [](const ChartPoint& a, const ChartPoint& b) { return a.x < b.x; }));
}

TEST(SimulatePressure, ShortEndBurnerBurnsOutWithTheCores) {
    MotorModel m = ExampleMotorWithEndBurner();
    m.Lto = 5;  // shorter than the cored web: gone before the cores are
    const PressureResult result = RunPressure(m);
    ASSERT_TRUE(m.flags.Pressure) << result.message;
    EXPECT_EQ(m.TracerEnd, 0);
    EXPECT_EQ(m.TracerPressure, 0);
    EXPECT_EQ(m.TracerRate, 0);
    EXPECT_EQ(m.TracerTailTime, 0);
    EXPECT_EQ(m.timeSeries[881].time, m.ThrustTime);
}

}  // namespace
}  // namespace tarvo
