#pragma once
// Runs a sweep: every design of a plan calculated as tarvo-calc calculates a file, on every core.

#include <vector>

#include "sweep/design_outcome.h"
#include "sweep/parallel.h"
#include "sweep/sweep_plan.h"

namespace tarvo {

struct SweepRow {
    std::vector<KeyValue> values;  // one per axis of the plan
    DesignOutcome outcome;
    bool calculated = false;  // false for the designs a cancelled sweep did not reach
};

struct SweepResult {
    std::vector<SweepRow> rows;  // in the order of the plan's designs
    bool complete = false;       // every design was calculated
};

SweepResult RunSweep(const SweepPlan& plan, const RunControl& control = {});

}  // namespace tarvo
