#pragma once
// Moving the field texts of the window into a MotorDesign, with the input checks in their
// fixed order. The first failure ends the reading with its status message.

#include <functional>
#include <string>
#include <string_view>

#include "model/motor_design.h"

namespace tarvo {

// What the reading looks at: the field texts by field number, the propellant selection and
// the positions of the three surface-flag steppers.
struct InputSources {
    std::function<std::string_view(int edit)> fieldText;
    int selectedPropellant = -1;  // index in the propellant list, -1 for none
    int Os = 0;                   // position of UpDown2
    int Cs = 0;                   // position of UpDown3
    int Es = 0;                   // position of UpDown4
};

struct ReadResult {
    bool ok = false;
    std::string message;  // status text when !ok
};

// Reads every input into `design` (whose grainKind is decided) and checks it. After a failure
// the design holds what was read and checked before the failing field: the chamber once both
// its dimensions passed, the propellant's constants once all five passed.
ReadResult ReadAndValidate(const InputSources& sources, MotorDesign& design);

// The burn-rate table of propellant Ftype from its tab-5 fields; all zero for an Ftype that
// names no propellant. A cell that is not a number sets nonNumericCell.
BurnRateTable ReadBurnRateTable(const std::function<std::string_view(int edit)>& fieldText,
                                int Ftype);

}  // namespace tarvo
