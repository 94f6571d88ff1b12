#include "form/stand_test.h"

namespace tarvo {

StandTestRun CompareWithDesign(MeasuredCurve curve, std::optional<StandDesign> design) {
    StandTestRun run;
    run.curve = std::move(curve);
    run.design = std::move(design);
    if (run.design) {
        run.motor = run.design->calculate(run.design->nominal());
        if (run.motor->ok()) {
            run.comparison = Compare(run.curve, *run.motor);
        }
    }
    return run;
}

void FitDesign(StandTestRun& run, std::span<const FitParameter> chosen) {
    run.chosen.assign(chosen.begin(), chosen.end());
    if (!run.design) {
        run.fit.reset();
        return;
    }
    const StandDesign& design = *run.design;
    run.fit = FitCurve(run.curve, chosen, design.nominal(), FitBoundsFor(design.throatDiameter()),
                       [&design](const FitValues& values) { return design.calculate(values); });
}

}  // namespace tarvo
