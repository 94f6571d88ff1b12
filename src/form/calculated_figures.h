#pragma once
// The figures the document commands take from the last calculation, read in one place.

#include <optional>

#include "form/form_model.h"

namespace tarvo {

// "Ae/At opt mid" of the last calculation: the expansion ratio that suits the mean of the
// burn. Nothing unless all three stages succeeded with a usable value.
std::optional<double> OptimalExpansionRatio(const FormModel& form);

}  // namespace tarvo
