// A two-parameter fit (burn-rate factor and nozzle efficiency) of the BATES-like example motor
// to a stand log made from its own calculation with the factor 1,15 and unoz 0,80, sampled at
// 1 kHz with a noise of 1 % of the maximum thrust.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>

#include "form/motor_calculation.h"
#include "form/stand_calculation.h"
#include "model/number_text.h"
#include "stand/curve_fit.h"

namespace {

using tarvo::FitParameter;

std::string LogOf(const tarvo::CalculatedMotor& motor) {
    const double fmax = *std::max_element(motor.thrust.begin(), motor.thrust.end());
    std::mt19937 random(7);
    std::normal_distribution<double> noise(0.0, 0.01 * fmax);
    std::string text = "t;F\n";
    for (double t = 0.0; t < motor.time.back() + 0.5; t += 0.001) {
        const std::vector<double> at = {t - 0.2};
        const double thrust = tarvo::ValuesAt(motor.time, motor.thrust, at)[0] + noise(random);
        text += tarvo::FormatFixed(t, 4) + ";" + tarvo::FormatFixed(thrust, 3) + "\n";
    }
    return text;
}

void BM_FitBurnRateAndNozzle(benchmark::State& state) {
    tarvo::FormModel form;
    tarvo::CalculateMotorFile(form, TARVO_EXAMPLES_DIR "/bates-kn-sb.zel");
    const tarvo::StandDesign design = *tarvo::DesignOfFields(form).design;
    tarvo::FitValues truth = design.nominal();
    truth[FitParameter::kBurnRate] = 1.15;
    truth[FitParameter::kUnoz] = 0.80;
    const tarvo::MeasuredCurve curve =
        *tarvo::ReadMeasuredCurve(LogOf(design.calculate(truth))).curve;
    const std::vector<FitParameter> chosen = {FitParameter::kBurnRate, FitParameter::kUnoz};
    const tarvo::MotorCalculator calculate = [&design](const tarvo::FitValues& v) {
        return design.calculate(v);
    };
    int calculations = 0;
    for (auto _ : state) {
        const tarvo::CurveFit fit =
            tarvo::FitCurve(curve, chosen, design.nominal(),
                            tarvo::FitBoundsFor(design.throatDiameter()), calculate);
        if (fit.outcome != tarvo::FitOutcome::kFitted) {
            state.SkipWithError("the fit did not succeed");
            break;
        }
        calculations = fit.calculations;
        benchmark::DoNotOptimize(fit);
    }
    state.counters["calculations"] = calculations;
}

}  // namespace

BENCHMARK(BM_FitBurnRateAndNozzle)->Unit(benchmark::kMillisecond);
