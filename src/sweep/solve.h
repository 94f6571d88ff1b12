#pragma once
// The target search: the value of one key for which a figure of the motor (Pmax, Favg, ...)
// reaches a target. A coarse sweep over the range finds where the figure crosses the target;
// the crossing is then narrowed down to within 0,5 % of the target, or, for a key with a
// resolution (a stepper, N), to the two neighbouring values it holds on either side.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "sweep/sweep.h"

namespace tarvo {

// The relative distance from the target that counts as reached.
inline constexpr double kTargetTolerance = 0.005;

struct SolveRequest {
    IniDocument base;  // a motor document of the current layout
    std::string name;  // the file it came from
    const SweepKey* key = nullptr;
    std::optional<double> from;  // both or neither: the key's default range otherwise
    std::optional<double> to;
    std::size_t figure = 0;  // index into kSweepFigures
    double target = 0.0;
};

struct SolveAnswer {
    enum class Outcome {
        kFound,        // rows: the design found, or the two neighbours of the crossing
        kUnreachable,  // no design in the range reaches the target; reached says how far
        kRefused,      // the request cannot be searched; message says why
        kCancelled,
    };
    Outcome outcome = Outcome::kRefused;
    std::vector<SweepRow> rows;
    double from = 0.0;  // the range searched
    double to = 0.0;
    std::optional<double> lowest;  // the lowest and highest value of the figure reached
    std::optional<double> highest;
    // Unreachable with two rows: the figure jumps across the target between them, or this
    // design between them does not calculate.
    std::optional<SweepRow> failed;
    std::vector<SweepRow> searched;  // every design calculated, in the order of the search
    std::string message;  // what a user reads: the refusal, or how far the target was
};

// The range searched when none is given: a stepper's whole range, 1 to twice N (at least 10)
// for N, and half to twice the design's value for any other field (which needs a value above
// 0). `value` is the key's value in the opened design.
std::optional<std::pair<double, double>> DefaultRange(const SweepKey& key, double value);

// The key's value as the opened base document shows it in its field, or nothing.
std::optional<double> OpenedValue(const IniDocument& base, const std::string& name,
                                  const SweepKey& key);

SolveAnswer Solve(const SolveRequest& request, const RunControl& control = {});

// "TARGET=VALUE" as the command line gives it: the figure's index and the target, or the
// error.
struct ParsedTarget {
    std::optional<std::size_t> figure;
    double target = 0.0;
    std::string error;
};
ParsedTarget ParseTarget(std::string_view argument);

}  // namespace tarvo
