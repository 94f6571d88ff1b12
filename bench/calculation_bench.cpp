// Whole calculations (geometry, Kn, pressure, both thrust passes) of the example motors.

#include <benchmark/benchmark.h>

#include "ballistics/calculation.h"
#include "ballistics/exit_mach.h"
#include "example_motors.h"

namespace {

void RunWhole(benchmark::State& state, tarvo::MotorDesign (*make)()) {
    const tarvo::MotorDesign design = make();
    for (auto _ : state) {
        tarvo::CalculationResult result = tarvo::Calculate(design);
        if (!result.succeeded()) {
            state.SkipWithError("the example motor does not calculate");
            break;
        }
        benchmark::DoNotOptimize(result);
    }
}

void BM_CoredMotor(benchmark::State& state) {
    RunWhole(state, &tarvo::example::CoredMotor);
}
void BM_MotorWithEndBurner(benchmark::State& state) {
    RunWhole(state, &tarvo::example::MotorWithEndBurner);
}
void BM_EndBurner(benchmark::State& state) {
    RunWhole(state, &tarvo::example::EndBurner);
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
