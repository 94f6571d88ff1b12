#pragma once
// The design in the window's fields, read as "Рассчитать" reads it: the texts tidied and the
// stepper-driven fields written from their steppers (as the refresh before a calculation
// leaves them), the grain boxes, the selected propellant with its burn-rate table, and the
// casing and limits of "Корпус и пределы". Reading changes nothing in the form.

#include <string>

#include "form/form_model.h"
#include "model/motor_design.h"

namespace tarvo {

struct FormDesign {
    bool ok = false;
    // The design; after a failure, what passed its checks before the failing field.
    MotorDesign design;
    std::string message;  // the status text when !ok
};

FormDesign ReadFormDesign(const FormModel& form);

}  // namespace tarvo
