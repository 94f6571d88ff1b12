// Whole calculations (geometry, Kn, pressure, both thrust passes) of the example motors.

#include <benchmark/benchmark.h>

#include "ballistics/exit_mach.h"
#include "model/calculation.h"
#include "model/example_motor.h"
#include "model/propellants.h"

namespace {

void RunWhole(benchmark::State& state, tarvo::MotorModel (*make)()) {
    const tarvo::MotorModel inputs = make();
    const auto table = tarvo::DefaultBurnRateTable(inputs.Ftype);
    for (auto _ : state) {
        tarvo::MotorModel model = inputs;
        auto result = tarvo::RunCalculation(model, table);
        if (!result.succeeded) {
            state.SkipWithError(result.status.c_str());
            break;
        }
        benchmark::DoNotOptimize(result);
    }
}

void BM_CoredMotor(benchmark::State& state) {
    RunWhole(state, &tarvo::ExampleCoredMotor);
}
void BM_MotorWithEndBurner(benchmark::State& state) {
    RunWhole(state, &tarvo::ExampleMotorWithEndBurner);
}
void BM_EndBurner(benchmark::State& state) {
    RunWhole(state, &tarvo::ExampleEndBurner);
}

// One exit Mach search at a large ratio, the longest walk in normal use.
void BM_ExitMachSearch(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(tarvo::ExitMachNumber(30, 1.1361));
    }
}

void BM_ExitMachSearchStepwise(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(tarvo::ExitMachNumberStepwise(30, 1.1361));
    }
}

}  // namespace

BENCHMARK(BM_CoredMotor)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MotorWithEndBurner)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EndBurner)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExitMachSearch)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExitMachSearchStepwise)->Unit(benchmark::kMicrosecond);
