#pragma once
// tarvo-calc's readable report of a calculated motor file, in Russian.

#include <string>

#include "form/form_model.h"

namespace tarvo {

// The status, propellant, grain kinds, description, design checks, every caption and value of
// tabs 1 to 4 and the thrust table.
std::string ReadableReport(const std::string& file, const FormModel& form);

// The lines of the design checks, one per line after a heading; "" when there are none.
std::string AlertsReport(const FormModel& form);

}  // namespace tarvo
