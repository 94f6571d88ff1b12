#pragma once
// A whole calculation: geometry, Kn, pressure and thrust, each stage run only when the one
// before it succeeded.

#include "model/calculation_result.h"

namespace tarvo {

// What is known of a design before any stage runs: the design and the chamber volume.
CalculationResult ResultBeforeStages(const MotorDesign& design);

// Calculates the design. The result says which stages succeeded; the first error among its
// diagnostics says why the calculation stopped. Running out of memory throws std::bad_alloc.
CalculationResult Calculate(const MotorDesign& design);

}  // namespace tarvo
