#include "model/calculation.h"

#include <gtest/gtest.h>

#include "ballistics/motor_class.h"
#include "ballistics/stage.h"
#include "model/propellants.h"
#include "test_motors.h"

namespace tarvo {
namespace {

struct Example {
    const char* name;
    MotorModel (*make)();
};

const Example kExamples[] = {
    {"cored", &ExampleCoredMotor},
    {"end-burner", &ExampleEndBurner},
    {"end-burner outlasting the cores", &ExampleMotorWithEndBurner},
};

CalculationResult Calculate(MotorModel& m) {
    return RunCalculation(m, DefaultBurnRateTable(m.Ftype));
}

TEST(RunCalculation, WholeMotorsHoldTheirInvariants) {
    for (const Example& example : kExamples) {
        SCOPED_TRACE(example.name);
        MotorModel m = example.make();
        const CalculationResult result = Calculate(m);
        ASSERT_TRUE(result.succeeded) << result.status;
        EXPECT_EQ(result.status, kSuccessMessage);
        EXPECT_EQ(m.grainKind, kNothing);
        EXPECT_FALSE(m.flags.Kn || m.flags.Pressure || m.flags.Thrust);
        EXPECT_FALSE(m.ThrustPassFlag);  // two passes ran
        EXPECT_DOUBLE_EQ(m.timeSeries[0].pressurePa, m.Patm * 1e6);
        EXPECT_DOUBLE_EQ(m.Favg, m.It / m.ThrustTime);
        const std::string letter = MotorClassFor(m.It);
        EXPECT_EQ(m.MotorClass, letter);
        for (const ClassRow& row : kClassTable) {
            if (row.letter == letter) {
                EXPECT_GT(m.It, row.lower);
                EXPECT_LE(m.It, row.upper);
            }
        }
        EXPECT_GT(m.Pmax, m.Patm);
        EXPECT_GT(m.ThrustTime, m.BurnTime);
    }
}

TEST(RunCalculation, SecondRunGivesIdenticalResults) {
    for (const Example& example : kExamples) {
        SCOPED_TRACE(example.name);
        MotorModel first = example.make();
        MotorModel second = example.make();
        ASSERT_TRUE(Calculate(first).succeeded);
        ASSERT_TRUE(Calculate(second).succeeded);
        second.grainKind = example.make().grainKind;
        const CalculationResult again = Calculate(second);
        ASSERT_TRUE(again.succeeded);
        EXPECT_EQ(first.It, second.It);
        EXPECT_EQ(first.Fmax, second.Fmax);
        EXPECT_EQ(first.Meo, second.Meo);
        EXPECT_EQ(first.Mef, second.Mef);
        EXPECT_EQ(first.Pmax, second.Pmax);
        for (int i = 0; i < kTimeSeriesRows; ++i) {
            ASSERT_EQ(first.timeSeries[i].thrust, second.timeSeries[i].thrust) << i;
            ASSERT_EQ(first.timeSeries[i].time, second.timeSeries[i].time) << i;
        }
    }
}

TEST(RunCalculation, AFailingStageStopsTheChainAndSaysWhy) {
    struct Case {
        const char* what;
        void (*change)(MotorModel&);
        bool knRan, pressureRan, thrustRan;
        const char* status;
    };
    const Case cases[] = {
        {"no grain kind", [](MotorModel& m) { m.grainKind = kNothing; }, false, false, false,
         "Нечего считать"},
        {"geometry refused", [](MotorModel& m) { m.Vc = 0; }, false, false, false,
         "Объём камеры сгорания равен нулю"},
        {"negative Kn",
         [](MotorModel& m) {
             m.Do = -10;
             m.do_ = -30;
             m.Kno = -50;
         },
         true, false, false, "Неверные параметры топливного заряда [вкладка 1] - Kn отрицательный"},
        {"pressure outside the table", [](MotorModel& m) { m.Patm = 0.091; }, true, true, false,
         "Давление в двигателе [вкладка 2] вышло за пределы известных характеристик топлива."},
        {"no propellant mass", [](MotorModel& m) { m.RoiRor = 0; }, true, true, true,
         "Ошибка вычислений: Isp [вкладка 3]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MotorModel m = test::WorkedExampleMotor();
        c.change(m);
        const CalculationResult result = Calculate(m);
        EXPECT_FALSE(result.succeeded);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.kn.has_value(), c.knRan);
        EXPECT_EQ(result.pressure.has_value(), c.pressureRan);
        EXPECT_EQ(result.thrust.has_value(), c.thrustRan);
        EXPECT_EQ(m.grainKind, kNothing);
        EXPECT_FALSE(m.flags.Kn || m.flags.Pressure || m.flags.Thrust);
        EXPECT_FALSE(m.ThrustPassFlag);
    }
}

TEST(ResetModel, ZeroesResultsAndKeepsWhatIsReadAgain) {
    MotorModel m = ExampleCoredMotor();
    ASSERT_TRUE(Calculate(m).succeeded);
    m.ThrustPassFlag = true;
    ResetModel(m);
    EXPECT_EQ(m.It, 0);
    EXPECT_EQ(m.Dc, 0);
    EXPECT_EQ(m.M, 0);
    EXPECT_EQ(m.propellants[1].k, 0);
    EXPECT_EQ(m.MotorClass, "--");
    EXPECT_EQ(m.Ftype, 2);
    EXPECT_EQ(m.N, 3);
    EXPECT_EQ(m.Cs, 1);
    EXPECT_TRUE(m.ThrustPassFlag);
    EXPECT_EQ(m.timeSeries.size(), static_cast<std::size_t>(kTimeSeriesRows));
}

}  // namespace
}  // namespace tarvo

namespace tarvo {
namespace {

TEST(FailOutOfMemoryDeathTest, ShowsTheMessageAndEndsTheProgram) {
    EXPECT_EXIT(FailOutOfMemory(), ::testing::ExitedWithCode(1),
                "Не могу выделить память для работы");
}

}  // namespace
}  // namespace tarvo
