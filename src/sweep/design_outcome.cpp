#include "sweep/design_outcome.h"

#include <cmath>

#include "form/form_model.h"
#include "form/motor_calculation.h"
#include "model/quantities.h"

namespace tarvo {
namespace {

bool StageSucceeded(const CalculationResult& result, Stage stage) {
    switch (stage) {
        case Stage::kGeometry:
            return result.geometry == StageState::kSucceeded;
        case Stage::kKn:
            return result.kn == StageState::kSucceeded;
        case Stage::kPressure:
            return result.pressure == StageState::kSucceeded;
        case Stage::kThrust:
            return result.thrust == StageState::kSucceeded;
    }
    return false;
}

}  // namespace

std::optional<std::size_t> SweepFigureIndex(std::string_view symbol) {
    for (std::size_t i = 0; i < kSweepFigures.size(); ++i) {
        if (kSweepFigures[i] == symbol) {
            return i;
        }
    }
    return std::nullopt;
}

DesignOutcome OutcomeOf(const CalculationResult& result, bool success, std::string status) {
    DesignOutcome outcome;
    outcome.success = success;
    outcome.status = std::move(status);
    for (std::size_t i = 0; i < kSweepFigures.size(); ++i) {
        const QuantityInfo* quantity = FindQuantity(kSweepFigures[i]);
        if (quantity != nullptr && StageSucceeded(result, quantity->stage)) {
            const double value = quantity->value(result);
            if (std::isfinite(value)) {
                outcome.figures[i] = value;
            }
        }
    }
    if (StageSucceeded(result, Stage::kThrust)) {
        outcome.motorClass = result.figures.MotorClass;
    }
    for (const Diagnostic& diagnostic : result.diagnostics) {
        if (diagnostic.severity == Severity::kError || diagnostic.severity == Severity::kWarning) {
            outcome.alerts.push_back(diagnostic.code);
        }
    }
    return outcome;
}

DesignOutcome CalculateDesign(IniDocument document, const std::string& name) {
    FormModel form;
    const bool success = CalculateMotorDocument(form, std::move(document), name);
    return OutcomeOf(form.lastCalculation(), success, form.statusText(0));
}

}  // namespace tarvo
