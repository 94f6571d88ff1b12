#include "model/calculation_result.h"

namespace tarvo {

double LargestX(const ChartSeries& series) {
    if (series.empty()) {
        return 0.0;
    }
    double largest = series.front().x;
    for (const ChartPoint& point : series) {
        largest = point.x > largest ? point.x : largest;
    }
    return largest;
}

double LargestY(const ChartSeries& series) {
    if (series.empty()) {
        return 0.0;
    }
    double largest = series.front().y;
    for (const ChartPoint& point : series) {
        largest = point.y > largest ? point.y : largest;
    }
    return largest;
}

const Diagnostic* CalculationResult::failure() const {
    for (const Diagnostic& diagnostic : diagnostics) {
        if (diagnostic.severity == Severity::kError) {
            return &diagnostic;
        }
    }
    return nullptr;
}

double SpecificImpulse(const Quantities& figures) {
    constexpr double kStandardGravity = 9.807;
    return figures.It / kStandardGravity / figures.m;
}

}  // namespace tarvo
