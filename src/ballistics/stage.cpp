#include "ballistics/stage.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tarvo {
namespace {

void PrintFatalMessage(std::string_view message) {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(message.size()), message.data());
}

FatalMessageHandler fatalHandler = &PrintFatalMessage;

}  // namespace

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

void SetFatalMessageHandler(FatalMessageHandler handler) {
    fatalHandler = handler != nullptr ? handler : &PrintFatalMessage;
}

void FailOutOfMemory() {
    fatalHandler(kOutOfMemoryMessage);
    std::_Exit(EXIT_FAILURE);
}

std::string ComputationFaultMessage(std::string_view quantity, int tab) {
    return "Ошибка вычислений: " + std::string(quantity) + " [вкладка " + std::to_string(tab) + "]";
}

std::string_view FirstNonFinite(std::initializer_list<NamedValue> values) {
    for (const auto& [name, value] : values) {
        if (!std::isfinite(value)) {
            return name;
        }
    }
    return {};
}

bool AllFinite(const ChartSeries& series) {
    for (const ChartPoint& point : series) {
        if (!std::isfinite(point.x) || !std::isfinite(point.y)) {
            return false;
        }
    }
    return true;
}

}  // namespace tarvo
