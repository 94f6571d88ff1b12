#include "sweep/sweep.h"

namespace tarvo {

SweepResult RunSweep(const SweepPlan& plan, const RunControl& control) {
    SweepResult result;
    result.rows.resize(plan.size());
    const auto calculate = [&plan, &result](std::size_t index) {
        SweepRow& row = result.rows[index];
        for (const KeyValue* value : plan.valuesAt(index)) {
            row.values.push_back(*value);
        }
        row.outcome = CalculateDesign(plan.documentAt(index), plan.name());
        row.calculated = true;
    };
    result.complete = ForEachItem(plan.size(), calculate, control);
    return result;
}

}  // namespace tarvo
