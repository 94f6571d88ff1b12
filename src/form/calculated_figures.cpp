#include "form/calculated_figures.h"

#include <cmath>

#include "form/form_layout.h"

namespace tarvo {

std::optional<double> OptimalExpansionRatio(const FormModel& form) {
    const double ratio = form.lastCalculation().figures.AeAtOptMid;
    if (!form.calculationSucceeded() || !std::isfinite(ratio) || ratio <= 0) {
        return std::nullopt;
    }
    return ratio;
}

}  // namespace tarvo
