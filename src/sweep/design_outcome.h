#pragma once
// What a sweep keeps of one design: the figures tarvo-calc prints for it, the status, and the
// codes of the design checks that speak against it.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/ini_document.h"
#include "model/calculation_result.h"

namespace tarvo {

// The figures of a design, by their symbols in the list of quantities.
inline constexpr std::array<std::string_view, 7> kSweepFigures = {
    "Pmax", "BurnTime", "ThrustTime", "Fmax", "Favg", "It", "Isp"};

using SweepFigureValues = std::array<std::optional<double>, kSweepFigures.size()>;

struct DesignOutcome {
    bool success = false;  // all three stages succeeded and the window shows them
    std::string status;    // the status bar's text
    // A figure only when the stage that computes it succeeded and it is a real number.
    SweepFigureValues figures{};
    std::string motorClass;              // once the thrust stage succeeded; "--" for no class
    std::vector<DiagnosticCode> alerts;  // errors and warnings, in the calculation's order
};

// The index of a figure symbol in kSweepFigures, or nothing.
std::optional<std::size_t> SweepFigureIndex(std::string_view symbol);

// What the sweep keeps of a calculation.
DesignOutcome OutcomeOf(const CalculationResult& result, bool success, std::string status);

// Calculates a motor document exactly as tarvo-calc calculates a file `name` holding it: a
// freshly started window, the whole open sequence and the Calculate command.
DesignOutcome CalculateDesign(IniDocument document, const std::string& name);

}  // namespace tarvo
