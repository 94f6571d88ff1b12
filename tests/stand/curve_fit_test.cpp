// The fit against a motor of the tests' own, whose answer is known: it gives back the values a
// curve was made with, holds them within their bounds, steps around calculations that fail,
// and names the parameters the data cannot tell apart instead of returning values for them.

#include "stand/curve_fit.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tarvo {
namespace {

using enum FitParameter;

constexpr double kToyPatm = 0.1;

// Burns 1 s / burn-rate factor with a progressive thrust of 200 N * uc * unoz, a chamber
// pressure of 3 MPa * factor^0,6 above ambient, and an erosion that changes nothing. Fails
// above `failsAbove` as a calculation fails when the pressure leaves the burn-rate table.
CalculatedMotor ToyMotor(const FitValues& v, double failsAbove = 10.0) {
    CalculatedMotor motor;
    if (v[kBurnRate] > failsAbove) {
        motor.failure = "Давление в двигателе вышло за пределы";
        return motor;
    }
    const double burn = 1.0 / v[kBurnRate];
    for (double t = 0.0; t < burn + 0.05; t += 0.001) {
        const double x = t / burn;
        const double shape = std::clamp(std::min(x / 0.02, (1 - x) / 0.02), 0.0, 1.0);
        motor.time.push_back(t);
        motor.thrust.push_back(200 * v[kUc] * v[kUnoz] * shape * (1 + 0.3 * x));
        motor.pressure.push_back(kToyPatm + 3 * std::pow(v[kBurnRate], 0.6) * shape);
    }
    motor.Patm = kToyPatm;
    motor.Pmax = *std::max_element(motor.pressure.begin(), motor.pressure.end());
    motor.propellantMass = 0.3;
    motor.propellantWeight = 0.3 * 9.807;
    return motor;
}

// The motor as a stand logs it: 0,3 s of waiting first, pressure gauge, sampled at 1 kHz.
MeasuredCurve Logged(const CalculatedMotor& motor, bool withPressure) {
    StandSamples samples;
    for (double t = 0.0; t < 0.3; t += 0.001) {
        samples.time.push_back(t);
        samples.thrust.push_back(0.0);
        samples.pressure.push_back(0.0);
    }
    for (std::size_t i = 0; i < motor.time.size(); ++i) {
        samples.time.push_back(0.3 + motor.time[i]);
        samples.thrust.push_back(motor.thrust[i]);
        samples.pressure.push_back(motor.pressure[i] - motor.Patm);
    }
    if (!withPressure) {
        samples.pressure.clear();
    }
    return *PrepareMeasuredCurve(std::move(samples)).curve;
}

TEST(CurveFit, GivesBackTheValuesOfAToyMotorOrNamesWhatItCannotTell) {
    struct Case {
        const char* name;
        std::vector<FitParameter> chosen;
        FitValues truth;
        bool withPressure;
        double failsAbove;
        FitOutcome outcome;
        FitValues expected;  // for kFitted
        std::vector<FitParameter> ambiguous;
    };
    const FitValues start(1.0, 0.95, 0.85, 0.5);
    // clang-format off
    const Case cases[] = {
        {"burn rate and nozzle", {kBurnRate, kUnoz}, {1.15, 0.95, 0.80, 0.5}, false, 10,
         FitOutcome::kFitted, {1.15, 0.95, 0.80, 0.5}, {}},
        {"with pressure", {kBurnRate, kUnoz}, {0.8, 0.95, 0.9, 0.5}, true, 10,
         FitOutcome::kFitted, {0.8, 0.95, 0.9, 0.5}, {}},
        {"held at the bound", {kUnoz}, {1.0, 0.95, 0.45, 0.5}, false, 10,
         FitOutcome::kFitted, {1.0, 0.95, 0.5, 0.5}, {}},
        {"around failing calculations", {kBurnRate}, {1.2, 0.95, 0.85, 0.5}, false, 1.25,
         FitOutcome::kFitted, {1.2, 0.95, 0.85, 0.5}, {}},
        {"efficiencies alike", {kUc, kUnoz}, {1.0, 0.9, 0.8, 0.5}, false, 10,
         FitOutcome::kAmbiguous, {}, {kUc, kUnoz}},
        {"erosion without effect", {kBurnRate, kErosion}, {1.1, 0.95, 0.85, 0.5}, false, 10,
         FitOutcome::kAmbiguous, {}, {kErosion}},
    };
    // clang-format on
    for (const Case& c : cases) {
        const MeasuredCurve measured = Logged(ToyMotor(c.truth), c.withPressure);
        const MotorCalculator toy = [&c](const FitValues& v) { return ToyMotor(v, c.failsAbove); };
        const CurveFit fit = FitCurve(measured, c.chosen, start, FitBoundsFor(8.0), toy);
        EXPECT_EQ(fit.outcome, c.outcome) << c.name << ": " << fit.message;
        EXPECT_EQ(fit.ambiguous, c.ambiguous) << c.name;
        EXPECT_LT(fit.calculations, 200) << c.name;
        if (c.outcome != FitOutcome::kFitted) {
            continue;
        }
        for (const FitParameterLayout& p : kFitParameterLayouts) {
            EXPECT_NEAR(fit.values[p.parameter], c.expected[p.parameter], 1e-3)
                << c.name << ": " << p.name;
        }
        EXPECT_LT(fit.rms, fit.startRms) << c.name;
        ASSERT_TRUE(fit.fitted) << c.name;
        EXPECT_EQ(*ThrustRms(measured, *fit.fitted), fit.rms) << c.name;
    }
}

TEST(CurveFit, SaysWhyWhenTheStartDoesNotCalculate) {
    const MeasuredCurve measured = Logged(ToyMotor({1.0, 0.95, 0.85, 0.5}), false);
    const MotorCalculator failing = [](const FitValues& v) { return ToyMotor(v, 0.1); };
    const std::vector<FitParameter> chosen = {kBurnRate};
    const CurveFit fit =
        FitCurve(measured, chosen, {1.0, 0.95, 0.85, 0.5}, FitBoundsFor(8.0), failing);
    EXPECT_EQ(fit.outcome, FitOutcome::kFailed);
    EXPECT_EQ(fit.message, "Давление в двигателе вышло за пределы");
    EXPECT_FALSE(fit.fitted);
}

TEST(CurveFit, ReadsTheListOfParameters) {
    EXPECT_EQ(ParseFitParameters("unoz,burn-rate").parameters,
              (std::vector<FitParameter>{kBurnRate, kUnoz}));
    EXPECT_EQ(ParseFitParameters(" e , uc").parameters, (std::vector<FitParameter>{kUc, kErosion}));
    EXPECT_EQ(ParseFitParameters("uc,x").error,
              "неизвестный параметр подбора «x» (можно: burn-rate, uc, unoz, e)");
    EXPECT_EQ(ParseFitParameters("uc,uc").error, "параметр подбора «uc» указан дважды");
    EXPECT_EQ(ParseFitParameters("").error,
              "неизвестный параметр подбора «» (можно: burn-rate, uc, unoz, e)");
}

}  // namespace
}  // namespace tarvo
