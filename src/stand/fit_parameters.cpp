#include "stand/fit_parameters.h"

#include <algorithm>

namespace tarvo {
namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

std::string KnownNames() {
    std::string names;
    for (const FitParameterLayout& layout : kFitParameterLayouts) {
        names += (names.empty() ? "" : ", ") + std::string(layout.name);
    }
    return names;
}

const FitParameterLayout* FindParameter(std::string_view name) {
    for (const FitParameterLayout& layout : kFitParameterLayouts) {
        if (layout.name == name) {
            return &layout;
        }
    }
    return nullptr;
}

}  // namespace

std::string_view FitParameterName(FitParameter parameter) {
    return kFitParameterLayouts[static_cast<std::size_t>(parameter)].name;
}

FitBounds FitBoundsFor(double throatDiameter) {
    FitBounds bounds;
    for (const FitParameterLayout& layout : kFitParameterLayouts) {
        bounds.lower[layout.parameter] = layout.lower;
        bounds.upper[layout.parameter] = layout.upper;
    }
    bounds.upper[FitParameter::kErosion] = throatDiameter;
    return bounds;
}

FitParameterList ParseFitParameters(std::string_view list) {
    FitParameterList result;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(',', start), list.size());
        const std::string_view name = Trimmed(list.substr(start, end - start));
        const FitParameterLayout* layout = FindParameter(name);
        if (layout == nullptr) {
            return {{},
                    "неизвестный параметр подбора «" + std::string(name) +
                        "» (можно: " + KnownNames() + ")"};
        }
        if (std::find(result.parameters.begin(), result.parameters.end(), layout->parameter) !=
            result.parameters.end()) {
            return {{}, "параметр подбора «" + std::string(name) + "» указан дважды"};
        }
        result.parameters.push_back(layout->parameter);
        start = end + 1;
    }
    std::sort(result.parameters.begin(), result.parameters.end());
    return result;
}

}  // namespace tarvo
