// Sweeps of the BATES-like example motor file: every design opened and calculated as tarvo-calc
// calculates a file, on one thread per core; and one design alone, for the cost of the open
// sequence around the calculation.

#include <benchmark/benchmark.h>

#include <string>

#include "sweep/sweep.h"

namespace {

const std::string kBatesFile = std::string(TARVO_EXAMPLES_DIR) + "/bates-kn-sb.zel";

tarvo::SweepPlan KnoPlan(int designs) {
    std::string error;
    auto document = tarvo::ReadMotorDocument(kBatesFile, error);
    const tarvo::SweepKey& kno = *tarvo::FindSweepKey("Kno");
    // Kno from 150 in steps of 0,02: every design calculates.
    auto axis = tarvo::MakeAxis(kno, 150, 150 + 0.02 * (designs - 1), 0.02);
    return tarvo::SweepPlan(std::move(*document), kBatesFile, {std::move(*axis.axis)});
}

void BM_OpenAndCalculateOneDesign(benchmark::State& state) {
    const tarvo::SweepPlan plan = KnoPlan(1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(tarvo::CalculateDesign(plan.documentAt(0), plan.name()));
    }
}

void BM_Sweep(benchmark::State& state) {
    const tarvo::SweepPlan plan = KnoPlan(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const tarvo::SweepResult result = tarvo::RunSweep(plan);
        if (!result.complete || !result.rows.back().outcome.success) {
            state.SkipWithError("the sweep did not calculate every design");
            break;
        }
    }
    state.counters["designs/s"] = benchmark::Counter(
        static_cast<double>(plan.size()) * state.iterations(), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_OpenAndCalculateOneDesign)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Sweep)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
