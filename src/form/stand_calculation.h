#pragma once
// The one place where the test-stand features meet the calculation. A design is what
// "Рассчитать" would calculate from the window's fields; it is calculated again with other
// values of the inputs a fit may change, and comes back as the curves and masses the comparison
// and the fit work on (stand/calculated_motor.h). Nothing else of the test-stand code knows how
// the calculation is called.

#include <memory>
#include <optional>
#include <string>

#include "form/form_model.h"
#include "stand/calculated_motor.h"
#include "stand/fit_parameters.h"

namespace tarvo {

class StandDesign {
public:
    struct Inputs;
    explicit StandDesign(std::shared_ptr<const Inputs> inputs) : inputs_(std::move(inputs)) {}

    // uc, unoz and e as designed, with the burn-rate factor 1.
    FitValues nominal() const;
    // Throat diameter before erosion, mm: the upper bound of the erosion.
    double throatDiameter() const;
    // The calculation with the fit's four inputs replaced; `failure` holds its status message
    // when it did not succeed.
    CalculatedMotor calculate(const FitValues& values) const;

private:
    std::shared_ptr<const Inputs> inputs_;
};

struct StandDesignResult {
    std::optional<StandDesign> design;
    std::string message;  // the status message when the fields do not make a design
};

// The design in the form's fields, read as "Рассчитать" reads them (normalised texts, the
// stepper-driven fields from their steppers, the grain boxes, the selected propellant and its
// burn-rate table) without changing the form.
StandDesignResult DesignOfFields(const FormModel& form);

}  // namespace tarvo
