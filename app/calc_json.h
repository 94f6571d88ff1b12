#pragma once
// tarvo-calc's JSON Lines: one object per motor file with everything the window shows, and the
// comparison with a stand log.

#include <string>

#include "form/form_model.h"
#include "form/stand_test.h"

namespace tarvo {

// The object of one calculated motor file; `test` is a JSON object added as "test" when given.
std::string JsonLine(const std::string& file, const FormModel& form, bool success,
                     const std::string& test = "");

// The "test" object of a stand log compared with (and perhaps fitted to) the motor.
std::string JsonStandTest(const StandTestRun& run);

}  // namespace tarvo
