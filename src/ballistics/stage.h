#pragma once
// What the calculation stages have in common: reporting why a stage stops, and the check
// that nothing non-finite leaves a stage.

#include <initializer_list>
#include <string_view>
#include <utility>

#include "model/calculation_result.h"

namespace tarvo {

// Adds the error that stops the calculation at `stage`; returns false for the caller to pass on.
bool Stop(CalculationResult& result, Stage stage, DiagnosticCode code,
          std::string_view subject = {});

// A figure by its symbol, for the finiteness checks.
using NamedValue = std::pair<std::string_view, double>;

// Stops with kNotFinite naming the first value that is not a real number; true when all are.
bool AllFinite(CalculationResult& result, Stage stage, std::initializer_list<NamedValue> values);

// Stops with kNotFinite naming the series when one of its points is not a real number.
bool AllFinite(CalculationResult& result, Stage stage, const ChartSeries& series,
               std::string_view name);

}  // namespace tarvo
