#pragma once
// The texts of a test-stand comparison and fit, as the window's table and fit dialog and
// tarvo-calc's report show them: numbers with the decimal comma, differences in per cent with
// their sign, the fit's parameters under the captions of their fields.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "form/stand_test.h"

namespace tarvo {

inline constexpr std::array<std::string_view, 4> kComparisonColumns = {"Величина", "Испытание",
                                                                       "Расчёт", "Разница, %"};

struct ComparisonRow {
    std::string caption;
    std::string shortCaption;
    std::string measured;
    std::string calculated;
    std::string difference;  // "+2,1"; "—" when the measured value is 0
};

// One row per figure; Pmax only when the log has pressure.
std::vector<ComparisonRow> ComparisonRows(const Comparison& comparison);

// The figures of one curve (the fitted motor's): caption and value.
std::vector<std::pair<std::string, std::string>> FigureTexts(const CurveFigures& figures);

// "Множитель коэффициентов a (скорость горения)", "Эффективность горения, [uc]" ...
std::string_view FitParameterCaption(FitParameter parameter);
std::string FitValueText(FitParameter parameter, double value);

// "Остаточное расхождение тяги (RMS): 2,97 Н (до подбора 29,32 Н)".
std::string FitRmsText(const CurveFit& fit);

// Why no values are given: the names the data cannot tell apart.
std::string AmbiguousFitMessage(const std::vector<FitParameter>& parameters);

// The fit of a run: the chosen names, then the values, RMS and the fitted motor's figures, or
// why there are none.
std::string FitReport(const StandTestRun& run);

// tarvo-calc's readable report of a stand test: the stand's zero and burn, the comparison as a
// table, the fit's values, RMS and the fitted motor's figures (or why there are none).
std::string StandTestReport(const std::string& curveFile, const StandTestRun& run);

}  // namespace tarvo
