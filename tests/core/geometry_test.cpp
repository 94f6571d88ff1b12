#include "ballistics/geometry.h"

#include <gtest/gtest.h>

#include <limits>

#include "test_motors.h"

namespace tarvo {
namespace {

using test::WorkedExampleMotor;

TEST(ComputeGeometry, ReproducesTheWorkedExample) {
    MotorModel m = WorkedExampleMotor();
    const GeometryResult result = ComputeGeometry(m);
    ASSERT_TRUE(result.ok) << result.message;
    const struct {
        const char* name;
        double value, expected, tolerance;
    } checks[] = {
        {"R", m.R, 196.13, 0.005},      {"To act", m.ToAct, 1624.5, 1e-9},
        {"c*", m.cStar, 889.3, 0.05},   {"p", m.p, 1.80384, 1e-12},
        {"Vg", m.Vg, 37699.1, 0.05},    {"m", m.m, 0.068, 0.0005},
        {"Abeo", m.Abeo, 1256.6, 0.05}, {"Abco", m.Abco, 1885.0, 0.05},
        {"Abso", m.Abso, 5654.9, 0.05}, {"Abo", m.Abo, 8796.5, 0.05},
        {"Ato", m.Ato, 175.93, 0.005},  {"Dt", m.Dt, 14.967, 0.0005},
        {"Dtf", m.Dtf, 15.967, 0.0005}, {"w", m.w, 10, 0},
        {"Lgo", m.Lgo, 60, 0},          {"R'", m.RPrime, 8314, 0},
    };
    for (const auto& c : checks) {
        EXPECT_NEAR(c.value, c.expected, c.tolerance) << c.name;
    }
    EXPECT_EQ(result.tracerBoxes, TracerBoxes::kUncheckAndDisable);
    EXPECT_EQ(m.MotorClass, "--");
}

TEST(ComputeGeometry, RefusesDesignsItCannotCalculate) {
    struct Case {
        const char* what;
        void (*change)(MotorModel&);
        const char* message;
    };
    const Case cases[] = {
        {"cored motor with both cylinders inhibited", [](MotorModel& m) { m.Os = m.Cs = 0; },
         "Канал или внешняя поверхность должны быть не забронированы (для канального двигателя)"},
        {"cored grains beside an end-burner with both cylinders inhibited",
         [](MotorModel& m) {
             m.grainKind = kCoredAndEndBurner;
             m.Os = m.Cs = 0;
             m.Lto = 10;
             m.Dto = 20;
         },
         "Канал или внешняя поверхность должны быть не забронированы (для канальных шашек)"},
        {"charge filling the chamber",
         [](MotorModel& m) { m.Vc = (30.0 * 30 - 10 * 10) * (3.141592653589793 / 4) * 60; },
         "Нет свободного пространства в камере сгорания"},
        {"no propellant", [](MotorModel& m) { m.Lo = 0; }, "Нет топлива"},
        {"no chamber", [](MotorModel& m) { m.Vc = 0; }, "Объём камеры сгорания равен нулю"},
        {"no propellant selected", [](MotorModel& m) { m.M = 0; }, "Масса топлива = 0"},
        {"mixture ratio of specific heats 1", [](MotorModel& m) { m.k = 1; },
         "Должно быть больше 1 значение Ratio of specific heats, mixture, of KN/DX-65/35 "
         "[вкладка 5]"},
        {"two-phase ratio below 1",
         [](MotorModel& m) {
             m.Ftype = 2;
             m.k2ph = 0.9;
         },
         "Должно быть больше 1 значение Ratio of specific heats, 2-ph., of KN/SB-65/35 "
         "[вкладка 5]"},
        {"throat area overflowing", [](MotorModel& m) { m.Kno = 1e-320; },
         "Ошибка вычислений: Ato [вкладка 1]"},
        {"negative temperature under the root", [](MotorModel& m) { m.uc = -1; },
         "Ошибка вычислений: c* [вкладка 2]"},
    };
    for (const Case& c : cases) {
        MotorModel m = WorkedExampleMotor();
        c.change(m);
        const GeometryResult result = ComputeGeometry(m);
        EXPECT_FALSE(result.ok) << c.what;
        EXPECT_EQ(result.message, c.message) << c.what;
    }
}

TEST(ComputeGeometry, EndBurnerAloneIgnoresTheCoredGrainFields) {
    MotorModel m = WorkedExampleMotor();
    m.grainKind = kEndBurnerOnly;
    m.Lto = 40;
    m.Dto = 28;
    const GeometryResult result = ComputeGeometry(m);
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.tracerBoxes, TracerBoxes::kDisableAndCheck);
    EXPECT_EQ(m.Do, 0);
    EXPECT_EQ(m.do_, 0);
    EXPECT_EQ(m.Lo, 0);
    EXPECT_EQ(m.N, 0);
    EXPECT_EQ(m.Os, 0);
    EXPECT_EQ(m.Cs, 0);
    EXPECT_EQ(m.Es, 1);
    EXPECT_DOUBLE_EQ(m.Vg, 28.0 * 28 * (3.141592653589793 / 4) * 40);
    EXPECT_DOUBLE_EQ(m.Abo, m.Abtr);
    EXPECT_DOUBLE_EQ(m.w, 20);
}

TEST(ComputeGeometry, CoredGrainsAloneIgnoreTheEndBurnerFields) {
    MotorModel withTracerFields = WorkedExampleMotor();
    withTracerFields.Lto = 30;
    withTracerFields.Dto = 20;
    MotorModel plain = WorkedExampleMotor();
    ASSERT_TRUE(ComputeGeometry(withTracerFields).ok);
    ASSERT_TRUE(ComputeGeometry(plain).ok);
    EXPECT_EQ(withTracerFields.Lto, 0);
    EXPECT_EQ(withTracerFields.Dto, 0);
    EXPECT_EQ(withTracerFields.Vg, plain.Vg);
    EXPECT_EQ(withTracerFields.Abo, plain.Abo);
}

TEST(ComputeGeometry, GrainCountsDoNotOverflow) {
    MotorModel m = WorkedExampleMotor();
    m.N = std::numeric_limits<std::int32_t>::max();
    m.Vc = 1e30;
    ASSERT_TRUE(ComputeGeometry(m).ok);
    EXPECT_GT(m.Abeo, 0);
    EXPECT_NEAR(m.Abeo / m.N, 1256.6, 0.05);
}

}  // namespace
}  // namespace tarvo
