// The fit against the program's own calculation, through the form layer's adapter: a stand log
// made from a calculation with known changes (as a logger would write it, with its offset,
// baseline, noise, sampling, units and decimal commas) must give the changes back.

#include "form/stand_calculation.h"

#include <gtest/gtest.h>

#include "stand_test_support.h"

#include <algorithm>

#include "form/motor_calculation.h"
#include "stand/comparison.h"
#include "stand/curve_fit.h"

namespace tarvo {
namespace {

using enum FitParameter;
using testing::LogFormat;
using testing::StandLog;

const std::string kExamples = TARVO_EXAMPLES_DIR;

StandDesign DesignOf(const std::string& motorFile) {
    FormModel form;
    CalculateMotorFile(form, motorFile);
    return *DesignOfFields(form).design;
}

TEST(StandCalculation, CalculatesWhatTheWindowCalculates) {
    for (const char* file : {"bates-kn-sb.zel", "cored-and-end-burner-kn-dx.zel"}) {
        FormModel form;
        CalculateMotorFile(form, kExamples + "/" + file);
        const StandDesignResult result = DesignOfFields(form);
        ASSERT_TRUE(result.design) << result.message;
        const CalculatedMotor motor = result.design->calculate(result.design->nominal());
        ASSERT_TRUE(motor.ok()) << motor.failure;
        const ChartSeries& thrust = form.chart(ChartId{3}).series[0];
        ASSERT_EQ(motor.time.size(), thrust.size() + 1) << file;  // and the start at 0
        for (std::size_t i = 0; i < thrust.size(); ++i) {
            EXPECT_EQ(motor.time[i + 1], thrust[i].x) << file;
            EXPECT_EQ(motor.thrust[i + 1], thrust[i].y) << file;
        }
        const Quantities& shown = form.lastCalculation().figures;
        EXPECT_EQ(motor.Pmax, shown.Pmax);
        EXPECT_EQ(motor.propellantMass, shown.m);
        EXPECT_NEAR(shown.It / motor.propellantWeight, SpecificImpulse(shown), 1e-12);
        EXPECT_EQ(result.design->throatDiameter(), shown.Dt);
    }
    FormModel broken;
    CalculateMotorFile(broken, kExamples + "/bates-kn-sb.zel");
    broken.setFieldText(EditId{1}, "0");
    const std::string message = DesignOfFields(broken).message;
    broken.calculate();
    EXPECT_EQ(message, broken.statusText(0));
    EXPECT_EQ(message, "Должно быть больше 0 значение Dc [вкладка 1]");
}

// A log of the motor as designed matches the calculation within what sampling at 1 kHz and
// the stand's noise leave.
TEST(StandCalculation, ComparesALogOfTheDesignWithTheDesign) {
    const StandDesign design = DesignOf(kExamples + "/bates-kn-sb.zel");
    const CalculatedMotor motor = design.calculate(design.nominal());
    LogFormat format;
    format.pressure = true;
    format.baseline = 12;
    format.noise = 1.0;
    const MeasuredCurveResult curve = ReadMeasuredCurve(StandLog(motor, format));
    ASSERT_TRUE(curve.curve);
    const std::optional<Comparison> comparison = Compare(*curve.curve, motor);
    ASSERT_TRUE(comparison);
    for (const FigureLayout& figure : kFigureLayouts) {
        const double measured = *FigureValue(comparison->measured, figure.figure);
        const double calculated = *FigureValue(comparison->calculated, figure.figure);
        EXPECT_NEAR(*DifferencePercent(measured, calculated), 0.0, 1.5) << figure.key;
    }
    EXPECT_NEAR(*comparison->calculated.Pmax, motor.Pmax - motor.Patm, 1e-12);
}

// Curves made with the burn-rate factor 1,15 and unoz 0,80 give them back. The tolerances:
// unoz to half a step of its stepper (0,005), finer than the field can take it; the factor to
// 0,5 %, what a burn time known to one sample at 100 Hz (10 ms in 1,4 s) allows, as the burn
// time goes with the factor to the power 1 / (1 - n).
TEST(StandCalculation, FitGivesBackKnownChanges) {
    const StandDesign design = DesignOf(kExamples + "/bates-kn-sb.zel");
    FitValues truth = design.nominal();
    truth[kBurnRate] = 1.15;
    truth[kUnoz] = 0.80;
    const CalculatedMotor motor = design.calculate(truth);
    const double fmax = *std::max_element(motor.thrust.begin(), motor.thrust.end());
    struct Case {
        const char* name;
        LogFormat format;
    };
    const Case cases[] = {
        {"1 kHz, s and N", {}},
        {"ms and kgf with decimal commas",
         {.milliseconds = true, .kilogramsForce = true, .decimalComma = true}},
        {"100 Hz, offset, baseline and noise",
         {.rate = 100, .offset = 2.3, .baseline = -8, .noise = 0.01 * fmax}},
        {"pressure in bar", {.noise = 0.01 * fmax, .pressure = true}},
    };
    const std::vector<FitParameter> chosen = {kBurnRate, kUnoz};
    const MotorCalculator calculate = [&design](const FitValues& v) { return design.calculate(v); };
    for (const Case& c : cases) {
        const MeasuredCurveResult curve = ReadMeasuredCurve(StandLog(motor, c.format));
        ASSERT_TRUE(curve.curve) << c.name;
        const CurveFit fit = FitCurve(*curve.curve, chosen, design.nominal(),
                                      FitBoundsFor(design.throatDiameter()), calculate);
        ASSERT_EQ(fit.outcome, FitOutcome::kFitted) << c.name << ": " << fit.message;
        EXPECT_NEAR(fit.values[kBurnRate], 1.15, 0.005 * 1.15) << c.name;
        EXPECT_NEAR(fit.values[kUnoz], 0.80, 0.005) << c.name;
        EXPECT_EQ(fit.values[kUc], truth[kUc]) << c.name;
        EXPECT_LT(fit.rms, 0.02 * fmax) << c.name;
    }
}

}  // namespace
}  // namespace tarvo
