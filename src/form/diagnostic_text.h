#pragma once
// The status texts of the calculation's diagnostics, as the window shows them in status
// panel 0: each names the quantity and the tab to look at.

#include <string>
#include <string_view>

#include "model/diagnostic.h"
#include "model/motor_design.h"

namespace tarvo {

inline constexpr std::string_view kSuccessMessage = "Расчёт проведён успешно";

// The text of a diagnostic of a design of `grainKind` calculated with propellant Ftype.
std::string DiagnosticText(const Diagnostic& diagnostic, GrainKind grainKind, int Ftype);

// "Ошибка вычислений: <name> [вкладка N]" for a figure, series or chart axis that is not a
// real number; `subject` as a kNotFinite diagnostic names it.
std::string NotFiniteText(std::string_view subject, Stage stage);

// The tab that shows a stage's results (1 to 4).
int StageTab(Stage stage);

}  // namespace tarvo
