#include "ballistics/stage.h"

#include <cmath>

namespace tarvo {

bool Stop(CalculationResult& result, Stage stage, DiagnosticCode code, std::string_view subject) {
    Diagnostic diagnostic;
    diagnostic.code = code;
    diagnostic.stage = stage;
    diagnostic.subject = subject;
    result.diagnostics.push_back(diagnostic);
    return false;
}

bool AllFinite(CalculationResult& result, Stage stage, std::initializer_list<NamedValue> values) {
    for (const auto& [name, value] : values) {
        if (!std::isfinite(value)) {
            return Stop(result, stage, DiagnosticCode::kNotFinite, name);
        }
    }
    return true;
}

bool AllFinite(CalculationResult& result, Stage stage, const ChartSeries& series,
               std::string_view name) {
    for (const ChartPoint& point : series) {
        if (!std::isfinite(point.x) || !std::isfinite(point.y)) {
            return Stop(result, stage, DiagnosticCode::kNotFinite, name);
        }
    }
    return true;
}

}  // namespace tarvo
